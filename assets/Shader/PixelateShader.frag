#version 120
// Blocky pixelation of a full-screen picture. pixelSize in screen pixels
// (8 when not set); resolution of the picture (1920 x 1080 when not set).
uniform sampler2D texture;
uniform float pixelSize;
uniform vec2 resolution;

void main()
{
    vec2 size = resolution.x > 0.0 ? resolution : vec2(1920.0, 1080.0);
    float block = pixelSize > 0.0 ? pixelSize : 8.0;
    vec2 cell = block / size;
    vec2 uv = (floor(gl_TexCoord[0].xy / cell) + 0.5) * cell;
    gl_FragColor = texture2D(texture, uv) * gl_Color;
}
