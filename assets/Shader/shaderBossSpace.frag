#version 120
// Backdrop of the second boss's arena: the star map turning slowly around the
// screen centre, with a nearer star layer drifting faster. Dims with the lighting.
uniform sampler2D backgroundTexture;
uniform float time;
uniform float worldLighting;

vec2 turn(vec2 p, float a)
{
    return vec2(cos(a) * p.x - sin(a) * p.y, sin(a) * p.x + cos(a) * p.y);
}

void main()
{
    vec2 uv = gl_TexCoord[0].xy;
    vec2 p = (uv - 0.5) * vec2(1.7778, 1.0);
    vec3 far = texture2D(backgroundTexture, turn(p, time * 0.01) * 0.45 + vec2(0.5, 0.5)).rgb;
    vec3 near = texture2D(backgroundTexture, turn(p, -time * 0.02) * 0.8 + vec2(time * 0.004, 0.3)).rgb;
    float swirl = 0.5 + 0.5 * sin(atan(p.y, p.x) * 3.0 - length(p) * 8.0 + time * 0.6);
    vec3 nebula = vec3(0.35, 0.08, 0.45) * swirl * smoothstep(0.9, 0.1, length(p)) * 0.35;
    vec3 colour = far + near * near * 1.4 + nebula;
    float light = clamp(worldLighting / 2.5, 0.05, 1.3);
    gl_FragColor = vec4(colour * light, 1.0);
}
