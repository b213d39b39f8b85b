#version 120
// Cross-fade between two pictures of the same size.
uniform sampler2D texture1;
uniform sampler2D texture2;
uniform float transition;

void main()
{
    vec2 uv = gl_TexCoord[0].xy;
    float t = smoothstep(0.0, 1.0, clamp(transition, 0.0, 1.0));
    gl_FragColor = vec4(mix(texture2D(texture1, uv).rgb, texture2D(texture2, uv).rgb, t), 1.0);
}
