#version 120
// Menu screen backdrop inside the hangar: the picture tinted like a glowing
// monitor, with scan lines, a slow sweep and a slight flicker.
uniform sampler2D backgroundTexture;
uniform float worldLighting;
uniform float time;

void main()
{
    vec2 uv = gl_TexCoord[0].xy;
    vec3 picture = texture2D(backgroundTexture, uv).rgb;
    float scan = 0.88 + 0.12 * sin(gl_FragCoord.y * 3.14159);
    float sweep = smoothstep(0.06, 0.0, abs(fract(uv.y * 0.5 - time * 0.15) - 0.5)) * 0.12;
    float flicker = 0.97 + 0.03 * sin(time * 37.0);
    vec3 colour = picture * vec3(0.75, 0.95, 1.05) * worldLighting * 0.5 * scan * flicker + vec3(0.1, 0.35, 0.45) * sweep;
    gl_FragColor = vec4(colour, 1.0);
}
