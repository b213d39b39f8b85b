#version 120
// Surface shader of the 3D meshes. The vertex colour carries the face's
// lighting; the maps add bumps, shine and glow on top of the base texture.
uniform sampler2D texture;
uniform sampler2D normalMap;
uniform sampler2D roughnessMap;
uniform sampler2D emissiveMap;
uniform sampler2D noiseMap;
uniform vec3 lightPos[8];
uniform float isEmissive;
uniform float gameTime;
uniform bool hasDisp;
uniform float onlyRough;
uniform float onlyLight;
uniform float onlyNormal;
uniform float onlyColor;
uniform float onlySpeLightImp;
uniform float onlyEmiss;

void main()
{
    vec2 uv = gl_TexCoord[0].xy;
    if (hasDisp) {
        // A slow shimmer driven by the noise map (a flat map leaves the picture still).
        vec2 wobble = texture2D(noiseMap, uv * 3.0 + vec2(gameTime * 0.013, gameTime * 0.008)).rg - 0.5;
        uv += wobble * 0.006;
    }
    vec4 base = texture2D(texture, uv);
    vec3 bumpNormal = normalize(texture2D(normalMap, uv).rgb * 2.0 - 1.0);
    float rough = texture2D(roughnessMap, uv).r;
    vec3 emissive = texture2D(emissiveMap, uv).rgb;

    // Detail light from the upper left of the surface; a flat normal gives 1.
    vec3 keyLight = normalize(vec3(-0.45, 0.55, 0.7));
    float bump = clamp(dot(bumpNormal, keyLight) / keyLight.z, 0.0, 2.0);
    float face = gl_Color.r;
    vec3 halfway = normalize(keyLight + vec3(0.0, 0.0, 1.0));
    float shine = pow(max(dot(bumpNormal, halfway), 0.0), mix(64.0, 6.0, rough)) * (1.0 - rough) * 0.7 * face;

    // Each nearby light warms the surface a little.
    float nearby = 0.0;
    for (int i = 1; i < 8; ++i)
        nearby += step(0.5, length(lightPos[i]));
    vec3 lit = base.rgb * face * bump + base.rgb * 0.05 * nearby;
    vec3 glow = emissive * isEmissive * (0.85 + 0.15 * sin(gameTime * 3.0));
    vec3 colour = lit + vec3(shine) + glow;

    if (onlyColor < 0.5)
        colour = base.rgb;
    else if (onlyLight < 0.5)
        colour = vec3(face * bump);
    else if (onlyNormal < 0.5)
        colour = bumpNormal * 0.5 + 0.5;
    else if (onlyRough < 0.5)
        colour = vec3(rough);
    else if (onlySpeLightImp < 0.5)
        colour = vec3(shine);
    else if (onlyEmiss < 0.5)
        colour = glow;
    gl_FragColor = vec4(colour, base.a * gl_Color.a);
}
