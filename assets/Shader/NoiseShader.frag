#version 120
// Film grain over a picture: the noise texture (repeated) jumps every frame.
uniform sampler2D texture;
uniform sampler2D noiseTexture;
uniform float time;
uniform float amount;

void main()
{
    vec2 uv = gl_TexCoord[0].xy;
    vec4 c = texture2D(texture, uv) * gl_Color;
    vec2 jump = vec2(fract(sin(floor(time * 24.0) * 12.9898) * 43758.5453), fract(sin(floor(time * 24.0) * 78.233) * 12345.678));
    float grain = texture2D(noiseTexture, uv * 4.0 + jump).r - 0.5;
    float strength = amount > 0.0 ? amount : 0.12;
    gl_FragColor = vec4(clamp(c.rgb + grain * strength, 0.0, 1.0), c.a);
}
