#version 120
// Hit flash: the sprite drawn as a bright grey-white silhouette of itself, keeping
// a trace of its shading so the shape still reads.
uniform sampler2D texture;

void main()
{
    vec4 pixel = texture2D(texture, gl_TexCoord[0].xy);
    float light = dot(pixel.rgb, vec3(0.299, 0.587, 0.114));
    vec3 flash = mix(vec3(0.82), vec3(1.0), light);
    gl_FragColor = vec4(flash, pixel.a) * vec4(1.0, 1.0, 1.0, gl_Color.a);
}
