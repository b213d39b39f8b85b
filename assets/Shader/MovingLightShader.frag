#version 120
// One light's glow, added onto the 1920 x 1080 window: a soft halo around the
// light's screen position.
uniform vec2 u_position;
uniform float u_intensity;
uniform float u_clampValue;
uniform float u_range;
uniform vec3 u_color;

void main()
{
    // The window's rows run bottom to top here (window pixels run downward).
    vec2 pixel = vec2(gl_FragCoord.x, 1080.0 - gl_FragCoord.y);
    float radius = max(u_range, 0.001);
    float falloff = radius / (distance(pixel, u_position) + radius);
    // A bright core with a halo that fades well inside the range, so that a
    // distant light (a planet) tints its surroundings without flooding the screen.
    float glow = min(u_intensity * 0.2 * falloff * falloff * falloff, u_clampValue);
    gl_FragColor = vec4(u_color / 255.0 * max(glow, 0.0), 1.0);
}
