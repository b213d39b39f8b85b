#version 120
// Flight through an energy tunnel: the plate texture and the rib mask wrap the
// tunnel wall, noise clouds drift through it, each variant has its own palette.
uniform float time;
uniform vec2 resolution;
uniform sampler2D backgroundTexture;
uniform sampler2D maskTexture;
uniform sampler2D fractTexture;
uniform float speed;
uniform float unZoom;
uniform int actualIndex;
uniform int nextIndex;
uniform int isSwitching;
uniform float transTime;

vec3 palette(int index, float k)
{
    if (index == 1)
        return mix(vec3(0.35, 0.05, 0.02), vec3(1.0, 0.55, 0.12), k);
    if (index == 2)
        return mix(vec3(0.02, 0.20, 0.10), vec3(0.45, 1.0, 0.55), k);
    return mix(vec3(0.10, 0.03, 0.30), vec3(0.35, 0.65, 1.0), k);
}

vec3 variant(int index, vec2 p)
{
    float r = max(length(p), 0.02);
    float a = atan(p.y, p.x) / 6.2831853;
    float z = unZoom * 0.04 / r;
    float drift = time * speed * 0.25;
    vec2 wall = vec2(a * 3.0 + 0.03 * float(index), z + drift);
    float cloud = texture2D(fractTexture, wall * vec2(1.0, 0.35)).r;
    cloud = 0.6 * cloud + 0.4 * texture2D(fractTexture, wall * vec2(2.0, 0.7) + vec2(0.37, -drift * 0.2)).r;
    vec3 plates = texture2D(backgroundTexture, wall).rgb;
    float ribs = texture2D(maskTexture, wall * vec2(1.0, 0.5)).r;
    vec3 colour = palette(index, cloud) * (0.55 + 0.9 * cloud);
    colour = mix(colour, colour * plates * 1.8, 0.45);
    colour += palette(index, 1.0) * ribs * 0.35 * (0.5 + 0.5 * sin(z * 3.0 - time * 4.0));
    float fog = smoothstep(0.02, 0.45, r);
    vec3 core = palette(index, 1.0) * (0.25 / (r * 12.0 + 0.3));
    return colour * fog + core;
}

void main()
{
    // The tunnel is seen turned half a turn: p runs from the window's centre
    // the opposite way to the window's pixels.
    vec2 centre = vec2(960.0, 540.0);
    vec2 p = (centre - gl_FragCoord.xy) / max(resolution.y, 1.0);
    vec3 colour = variant(actualIndex, p);
    if (isSwitching != 0 && nextIndex != actualIndex)
        colour = mix(colour, variant(nextIndex, p), clamp(transTime, 0.0, 1.0));
    float vignette = 1.0 - 0.55 * dot(p, p);
    gl_FragColor = vec4(colour * vignette, 1.0);
}
