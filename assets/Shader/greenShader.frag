#version 120
// Night-vision look: the picture in shades of green with a dark rim.
uniform sampler2D texture;

void main()
{
    vec2 uv = gl_TexCoord[0].xy;
    vec4 c = texture2D(texture, uv) * gl_Color;
    float grey = dot(c.rgb, vec3(0.299, 0.587, 0.114));
    float rim = 1.0 - 0.6 * dot(uv - 0.5, uv - 0.5) * 2.0;
    gl_FragColor = vec4(vec3(0.15, 1.0, 0.3) * (0.1 + grey * 1.3) * rim, c.a);
}
