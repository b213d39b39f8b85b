#version 120
// Contrast and saturation boost around mid grey (contrast 1.4 when not set).
uniform sampler2D texture;
uniform float contrast;

void main()
{
    vec4 c = texture2D(texture, gl_TexCoord[0].xy) * gl_Color;
    float k = contrast > 0.0 ? contrast : 1.4;
    vec3 boosted = (c.rgb - 0.5) * k + 0.5;
    float grey = dot(boosted, vec3(0.299, 0.587, 0.114));
    gl_FragColor = vec4(clamp(mix(vec3(grey), boosted, 1.15), 0.0, 1.0), c.a);
}
