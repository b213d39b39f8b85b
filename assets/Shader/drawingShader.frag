#version 120
// Surface shader of the 3D meshes. The vertex colour carries the face's
// lighting; the maps add bumps, shine and glow on top of the base texture.
//
// As written, this is the whole shader, with the debug views. For play the
// game compiles variants of it for the meshes it draws, with lines after the
// first (the same picture for less of the rasteriser's work):
//   PLAY_VIEW        no debug view held; the nearby lights counted by the game
//   FLAT_NORMAL v    the mesh has no normal map: v is the texel of the one it gets
//   FLAT_ROUGHNESS v likewise for roughness (a float; only with FLAT_NORMAL)
//   FLAT_NOISE v     likewise for the noise map (a vec2)
//   NO_GLOW          nothing glows: no emissive map, or the mesh does not glow
//   NO_WOBBLE        the mesh has no displacement (hasDisp false)
// (NO_GLOW and NO_WOBBLE only with PLAY_VIEW).
uniform sampler2D texture;
uniform sampler2D normalMap;
uniform sampler2D roughnessMap;
uniform sampler2D emissiveMap;
uniform sampler2D noiseMap;
uniform vec3 lightPos[8];
uniform float nearbyLights;
uniform float isEmissive;
uniform float gameTime;
uniform bool hasDisp;
uniform float onlyRough;
uniform float onlyLight;
uniform float onlyNormal;
uniform float onlyColor;
uniform float onlySpeLightImp;
uniform float onlyEmiss;

#ifdef FLAT_NORMAL
#define NORMAL_SAMPLE FLAT_NORMAL
#else
#define NORMAL_SAMPLE texture2D(normalMap, uv).rgb
#endif
#ifdef FLAT_ROUGHNESS
#define ROUGHNESS_SAMPLE FLAT_ROUGHNESS
#else
#define ROUGHNESS_SAMPLE texture2D(roughnessMap, uv).r
#endif
#ifdef FLAT_NOISE
#define NOISE_SAMPLE FLAT_NOISE
#else
#define NOISE_SAMPLE texture2D(noiseMap, uv * 3.0 + vec2(gameTime * 0.013, gameTime * 0.008)).rg
#endif
#if defined(PLAY_VIEW) && defined(NO_WOBBLE)
#define WOBBLES false
#elif defined(PLAY_VIEW)
#define WOBBLES true
#else
#define WOBBLES hasDisp
#endif

void main()
{
    vec2 uv = gl_TexCoord[0].xy;
    if (WOBBLES) {
        // A slow shimmer driven by the noise map (a flat map leaves the picture still).
        vec2 wobble = NOISE_SAMPLE - 0.5;
        uv += wobble * 0.006;
    }
    vec4 base = texture2D(texture, uv);
    vec3 bumpNormal = normalize(NORMAL_SAMPLE * 2.0 - 1.0);
    float rough = ROUGHNESS_SAMPLE;

    // Detail light from the upper left of the surface; a flat normal gives 1.
    vec3 keyLight = normalize(vec3(-0.45, 0.55, 0.7));
    float bump = clamp(dot(bumpNormal, keyLight) / keyLight.z, 0.0, 2.0);
    float face = gl_Color.r;
    vec3 halfway = normalize(keyLight + vec3(0.0, 0.0, 1.0));
    float shine = pow(max(dot(bumpNormal, halfway), 0.0), mix(64.0, 6.0, rough)) * (1.0 - rough) * 0.7 * face;

    // Each nearby light warms the surface a little.
#ifdef PLAY_VIEW
    float nearby = nearbyLights;
#else
    float nearby = 0.0;
    for (int i = 1; i < 8; ++i)
        nearby += step(0.5, length(lightPos[i]));
#endif
    vec3 lit = base.rgb * face * bump + base.rgb * 0.05 * nearby;
#ifdef NO_GLOW
    vec3 colour = lit + vec3(shine);
#else
    vec3 emissive = texture2D(emissiveMap, uv).rgb;
    vec3 glow = emissive * isEmissive * (0.85 + 0.15 * sin(gameTime * 3.0));
    vec3 colour = lit + vec3(shine) + glow;
#endif

#ifndef PLAY_VIEW
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
#endif
    gl_FragColor = vec4(colour, base.a * gl_Color.a);
}
