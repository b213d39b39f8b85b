#include "engine/RenderPipeline.h"

#include "engine/Scenes.h"

#include <algorithm>
#include <cfloat>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <stdexcept>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <utility>

namespace {

// Each member of the team gets at least this many triangles: a small frame is
// not worth waking helpers for.
constexpr size_t TRIANGLES_PER_MEMBER = 4096;
// Faces transformed before the kept ones are staged (a multiple of 4).
constexpr size_t BLOCK = 256;
// A member with up to this many faces sorts them on 8-bit digits, else on 11-bit digits.
constexpr size_t SHORT_RUN = 32768;
constexpr float DEPTH_VIEW_SPAN = 150000.f;

// Sort key that orders faces far to near: depths are never negative, so their
// bit patterns grow with the depth; inverted, far faces come first.
inline std::uint32_t farFirstKey(float depth)
{
    std::uint32_t bits;
    std::memcpy(&bits, &depth, sizeof bits);
    return ~bits;
}

inline sf::Uint8 greyOf(float value)
{
    if (!(value > 0.f))
        return 0;
    return static_cast<sf::Uint8>(std::min(value, 255.f));
}

// The ambient grey of a face is greyOf(20 / (a + 1) x world lighting x 135) for
// the angle a in degrees between the light ray and the face normal; a face with
// no defined angle (it sits on the light) is lit as if side-on.
//
// The lighting factor float(20 / (a + 1)) of the angle a whose cosine is c,
// from two small tables read with linear interpolation. The angle is smooth in
// u = sqrt((1 - |c|) / 2) (a = 2 asin u on the lit side, 180 - 2 asin u on
// the other), where it is not in c itself near c = 1 and c = -1; so one table
// per side over u gives the grey within half a level at any world lighting.
class LightFactorTable {
public:
    LightFactorTable()
    {
        for (int i = 0; i <= STEPS; ++i) {
            const double u = static_cast<double>(i) / STEPS * U_MAX;
            const double a = 2.0 * std::asin(u) * 180.0 / PI_D;
            facing_[i] = static_cast<float>(20.0 / (a + 1.0));
            turned_[i] = static_cast<float>(20.0 / (180.0 - a + 1.0));
        }
    }
    float operator()(float c) const
    {
        if (c != c)
            c = 0.f; // no defined angle: lit as if side-on
        const float* table = c >= 0.f ? facing_ : turned_;
        const float u = std::sqrt(std::max(0.f, (1.f - std::fabs(c)) * 0.5f));
        const float at = std::min(u * (STEPS / U_MAX), static_cast<float>(STEPS) - 0.001f);
        const int i = static_cast<int>(at);
        const float along = at - static_cast<float>(i);
        return table[i] + (table[i + 1] - table[i]) * along;
    }

private:
    static constexpr int STEPS = 512;
    static constexpr float U_MAX = 0.70710678f; // sqrt(1 / 2): c = 0
    float facing_[STEPS + 1];
    float turned_[STEPS + 1];
};
const LightFactorTable LIGHT_FACTOR;

inline sf::Uint8 ambientGreyByTable(float cosine, float worldLighting)
{
    return greyOf(LIGHT_FACTOR(cosine) * worldLighting * 135.f);
}

// Opaque greys by level, so the triangle loop builds no colours.
struct GreyTable {
    GreyTable()
    {
        for (int g = 0; g < 256; ++g)
            greys[g] = sf::Color(static_cast<sf::Uint8>(g), static_cast<sf::Uint8>(g), static_cast<sf::Uint8>(g), 255);
    }
    const sf::Color& operator[](long long g) const { return greys[g]; }
    sf::Color greys[256];
};
const GreyTable GREYS;

// The grey of the depth view at a distance: a ramp from black to white repeated
// every DEPTH_VIEW_SPAN world units. A distance that is not finite, or too far
// for any scene (a camera gliding through a model with a far-flung vertex), is
// clamped before the conversion to an integer, which is then always defined.
long long depthGrey(float distance)
{
    constexpr float FARTHEST_LEVEL = 1e15f; // well inside long long
    const float level = distance / DEPTH_VIEW_SPAN * 255.f;
    if (!(level > 0.f))
        return 0;
    return static_cast<long long>(std::min(level, FARTHEST_LEVEL)) & 0xFF;
}

// Splits count items among the team on multiples of 16, so that neighbours
// never write to the same cache line.
inline void chunkOf(size_t count, int team, int member, size_t& begin, size_t& end)
{
    const size_t groups = (count + 15) / 16;
    begin = std::min(count, 16 * (groups * static_cast<size_t>(member) / static_cast<size_t>(team)));
    end = std::min(count, 16 * (groups * static_cast<size_t>(member + 1) / static_cast<size_t>(team)));
}

#ifdef __SSE2__
// Four floats processed as one (SSE2, where the compiler targets it: every
// x86-64 processor). Each operation rounds exactly as its scalar counterpart
// does, so four faces computed together match faces computed one by one to the bit.
struct Lanes {
    __m128 v;
    Lanes() = default;
    Lanes(__m128 value) : v(value) {}
    Lanes(float value) : v(_mm_set1_ps(value)) {}
};
inline Lanes operator+(Lanes a, Lanes b) { return _mm_add_ps(a.v, b.v); }
inline Lanes operator-(Lanes a, Lanes b) { return _mm_sub_ps(a.v, b.v); }
inline Lanes operator*(Lanes a, Lanes b) { return _mm_mul_ps(a.v, b.v); }
inline Lanes operator/(Lanes a, Lanes b) { return _mm_div_ps(a.v, b.v); }
inline Lanes operator-(Lanes a) { return _mm_xor_ps(a.v, _mm_set1_ps(-0.f)); }
// Comparisons give masks (all bits set where true); a NaN compares false.
inline Lanes operator>(Lanes a, Lanes b) { return _mm_cmpgt_ps(a.v, b.v); }
inline Lanes operator<(Lanes a, Lanes b) { return _mm_cmplt_ps(a.v, b.v); }
inline Lanes operator<=(Lanes a, Lanes b) { return _mm_cmple_ps(a.v, b.v); }
inline Lanes operator==(Lanes a, Lanes b) { return _mm_cmpeq_ps(a.v, b.v); }
inline Lanes operator&(Lanes a, Lanes b) { return _mm_and_ps(a.v, b.v); }
inline Lanes operator|(Lanes a, Lanes b) { return _mm_or_ps(a.v, b.v); }
inline Lanes andNot(Lanes a, Lanes b) { return _mm_andnot_ps(b.v, a.v); }
inline Lanes select(Lanes mask, Lanes a, Lanes b) { return _mm_or_ps(_mm_and_ps(mask.v, a.v), _mm_andnot_ps(mask.v, b.v)); }
inline Lanes squareRoot(Lanes a) { return _mm_sqrt_ps(a.v); }
// a < b ? a : b and a > b ? a : b, lane by lane.
inline Lanes lower(Lanes a, Lanes b) { return _mm_min_ps(a.v, b.v); }
inline Lanes higher(Lanes a, Lanes b) { return _mm_max_ps(a.v, b.v); }
#endif

inline bool andNot(bool a, bool b) { return a && !b; }
inline float select(bool mask, float a, float b) { return mask ? a : b; }
inline float squareRoot(float a) { return std::sqrt(a); }
inline float lower(float a, float b) { return a < b ? a : b; }
inline float higher(float a, float b) { return a > b ? a : b; }

// The face math below is written once for one face (T = float) and for four
// (T = Lanes); its comparisons give a MaskOf<T>.
template <class T>
using MaskOf = decltype(std::declval<T>() > std::declval<T>());

template <class T>
struct Vec3 {
    T x, y, z;
};
template <class T>
inline Vec3<T> operator+(const Vec3<T>& a, const Vec3<T>& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
template <class T>
inline Vec3<T> operator-(const Vec3<T>& a, const Vec3<T>& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
template <class T>
inline Vec3<T> spread(const sf::Vector3f& v) { return {T(v.x), T(v.y), T(v.z)}; }
template <class T>
inline T dot(const Vec3<T>& a, const Vec3<T>& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
template <class T>
inline T length(const Vec3<T>& v) { return squareRoot(v.x * v.x + v.y * v.y + v.z * v.z); }
template <class T>
inline Vec3<T> meanOf(const Vec3<T> (&v)[3])
{
    const Vec3<T> sum = v[0] + v[1] + v[2];
    return {sum.x / T(3.f), sum.y / T(3.f), sum.z / T(3.f)};
}

// EulerRotation::apply, operation for operation.
template <class T>
inline Vec3<T> rotate(const EulerRotation& r, const Vec3<T>& v)
{
    const T x1 = T(r.cz) * v.x - T(r.sz) * v.y;
    const T y1 = T(r.sz) * v.x + T(r.cz) * v.y;
    const T z1 = v.z;
    const T x2 = T(r.cy) * x1 + T(r.sy) * z1;
    const T z2 = T(r.cy) * z1 - T(r.sy) * x1;
    const T y3 = T(r.cx) * y1 - T(r.sx) * z2;
    const T z3 = T(r.sx) * y1 + T(r.cx) * z2;
    return {x2, y3, z3};
}

// What one pass holds fixed for every face of a mesh.
struct Placement {
    EulerRotation meshRotation;
    sf::Vector3f meshPosition;
    EulerRotation cameraRotation;
    sf::Vector3f cameraPosition;
    sf::Vector3f lightPosition;
    bool cullBackFaces;
};

// One face: its corners in world and camera space, its world centroid and
// its world unit normal (NaN when degenerate).
template <class T>
struct FaceGeometry {
    Vec3<T> world[3];
    Vec3<T> view[3];
    Vec3<T> centroid;
    Vec3<T> normal;
};

template <class T>
inline Vec3<T> unitNormal(const Vec3<T> (&world)[3])
{
    const Vec3<T> e1 = world[1] - world[0];
    const Vec3<T> e2 = world[2] - world[0];
    const Vec3<T> cross{e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
    const T inverseLength = T(1.f) / length(cross);
    return {cross.x * inverseLength, cross.y * inverseLength, cross.z * inverseLength};
}

inline void loadModel(const float* const (&planes)[TriangleStreams::PLANES], size_t i, Vec3<float> (&model)[3])
{
    for (size_t k = 0; k < 3; ++k)
        model[k] = {planes[3 * k][i], planes[3 * k + 1][i], planes[3 * k + 2][i]};
}

#ifdef __SSE2__
inline void loadModel(const float* const (&planes)[TriangleStreams::PLANES], size_t i, Vec3<Lanes> (&model)[3])
{
    for (size_t k = 0; k < 3; ++k)
        model[k] = {_mm_loadu_ps(planes[3 * k] + i), _mm_loadu_ps(planes[3 * k + 1] + i),
                    _mm_loadu_ps(planes[3 * k + 2] + i)};
}
#endif

template <class T>
inline FaceGeometry<T> transformFace(const Placement& p, const float* const (&planes)[TriangleStreams::PLANES], size_t i)
{
    Vec3<T> model[3];
    loadModel(planes, i, model);
    FaceGeometry<T> f;
    const Vec3<T> meshPosition = spread<T>(p.meshPosition);
    const Vec3<T> cameraPosition = spread<T>(p.cameraPosition);
    for (size_t k = 0; k < 3; ++k) {
        f.world[k] = rotate(p.meshRotation, model[k]) + meshPosition;
        f.view[k] = rotate(p.cameraRotation, f.world[k] - cameraPosition);
    }
    f.centroid = meanOf(f.world);
    f.normal = unitNormal(f.world);
    return f;
}

// Screen position of a camera-space point (focal 800, centre (960, 540), depth floor).
template <class T>
inline void projectViewPoint(const Vec3<T>& r, T& x, T& y)
{
    const T scale = T(FOCAL_LENGTH) / select(r.z > T(0.f), r.z, T(MIN_DEPTH));
    x = r.x * scale + T(SCREEN_CENTRE_X);
    y = r.y * scale + T(SCREEN_CENTRE_Y);
}

// The cosine angleBetween(a, b) takes its arc cosine of, clamped alike.
template <class T>
inline T cosineBetween(const Vec3<T>& a, const Vec3<T>& b)
{
    const T c = dot(a, b) / (length(a) * length(b));
    return select(c > T(1.f), T(1.f), select(c < T(-1.f), T(-1.f), c));
}

// A triangle whose corners all lie past one edge of the window covers none of
// its pixels: it is not worth handing to the rasteriser. (A NaN corner is past
// no edge.)
template <class T>
inline MaskOf<T> pastOneWindowEdge(const T (&x)[3], const T (&y)[3])
{
    const MaskOf<T> left = (x[0] < T(0.f)) & (x[1] < T(0.f)) & (x[2] < T(0.f));
    const MaskOf<T> right = (x[0] > T(WINDOW_WIDTH)) & (x[1] > T(WINDOW_WIDTH)) & (x[2] > T(WINDOW_WIDTH));
    const MaskOf<T> above = (y[0] < T(0.f)) & (y[1] < T(0.f)) & (y[2] < T(0.f));
    const MaskOf<T> below = (y[0] > T(WINDOW_HEIGHT)) & (y[1] > T(WINDOW_HEIGHT)) & (y[2] > T(WINDOW_HEIGHT));
    return left | right | above | below;
}

// What the pass needs of one face (or four) before the sort.
template <class T>
struct FaceVerdict {
    T screenX[3], screenY[3];
    MaskOf<T> keep;     // drawn
    MaskOf<T> askAngle; // in the box, but only the angle itself tells whether it faces the camera
    T depth;            // camera distance of the centroid
    T lightCosine;
};

// The face is kept when the angle between its reversed normal and the view
// ray is at most 90 degrees and its centroid projects inside the keep box.
// Away from 90 degrees the sign of the cosine decides (compared squared,
// without roots); near it the angle itself must. A NaN (degenerate face, or
// a face centred on the camera) is dropped.
template <class T>
inline FaceVerdict<T> judgeFace(const Placement& p, const FaceGeometry<T>& f)
{
    FaceVerdict<T> v;
    for (size_t k = 0; k < 3; ++k)
        projectViewPoint(f.view[k], v.screenX[k], v.screenY[k]);
    const Vec3<T> view = f.centroid - spread<T>(p.cameraPosition);
    const T facing = -dot(f.normal, view);
    const T scale = dot(f.normal, f.normal) * dot(view, view);
    const MaskOf<T> defined = (scale > T(0.f)) & (facing == facing);
    const MaskOf<T> clear = facing * facing > T(1e-6f) * scale;
    // The view-space centroid is the mean of the corners' (the transform is linear).
    T centreX, centreY;
    projectViewPoint(meanOf(f.view), centreX, centreY);
    const MaskOf<T> inside =
        andNot((centreX > T(-9000.f)) & (centreX <= T(10920.f)) & (centreY > T(-9000.f)) & (centreY <= T(10080.f)),
               pastOneWindowEdge(v.screenX, v.screenY));
    if (p.cullBackFaces) {
        v.keep = inside & defined & clear & (facing > T(0.f));
        v.askAngle = andNot(inside & defined, clear);
    } else {
        v.keep = inside;
        v.askAngle = andNot(inside, inside); // never
    }
    v.depth = length(view);
    v.lightCosine = cosineBetween(f.centroid - spread<T>(p.lightPosition), f.normal);
    return v;
}

inline bool facesCameraByAngle(const Placement& p, const FaceGeometry<float>& f)
{
    const sf::Vector3f normal(f.normal.x, f.normal.y, f.normal.z);
    const sf::Vector3f centroid(f.centroid.x, f.centroid.y, f.centroid.z);
    return angleBetween(-normal, centroid - p.cameraPosition) <= 90.f;
}

Placement placementOf(const Mesh& mesh, const FrameSettings& settings)
{
    return {EulerRotation(mesh.worldRotation()),
            mesh.position(),
            EulerRotation(settings.camera.rotation),
            settings.camera.position,
            settings.lightPosition,
            !scene::drawsBackFaces(settings.sceneId) || mesh.is(MeshKind::SpaceStar)};
}

// Whether every corner of a mesh surely projects past one and the same edge
// of the window (projectViewPoint's way): then judgeFace drops each of its
// faces, and the mesh need not be judged face by face. Decided on the sphere
// around its corners, with two pixels and a rounding margin to spare; a
// sphere that is not a number decides nothing.
bool wholeMeshPastOneEdge(const Placement& p, const TriangleStreams& streams)
{
    const float radius = streams.sphereRadius;
    if (!(radius >= 0.f))
        return false;
    const sf::Vector3f world = p.meshRotation.apply(streams.sphereCentre) + p.meshPosition;
    const sf::Vector3f c = p.cameraRotation.apply(world - p.cameraPosition);
    if (!std::isfinite(c.x) || !std::isfinite(c.y) || !std::isfinite(c.z))
        return false;
    // The corners are placed in floats: each is off by a few steps of the largest coordinate it passes through.
    const double size = length3(world) + length3(p.cameraPosition) + length3(c) + radius;
    const double r = radius + 1e-4 * size + 1e-3;
    const double f = FOCAL_LENGTH, spare = 2.0;
    const double toLeft = SCREEN_CENTRE_X + spare, toRight = WINDOW_WIDTH - SCREEN_CENTRE_X + spare;
    const double toTop = SCREEN_CENTRE_Y + spare, toBottom = WINDOW_HEIGHT - SCREEN_CENTRE_Y + spare;
    // In front of the eye a point is past an edge on one side of a plane through the eye:
    // left when f * x + toLeft * z < 0, and so on.
    const auto beyondPlane = [r](double a, double b, double along, double z) {
        return a * along + b * z + r * std::sqrt(a * a + b * b) < 0.0;
    };
    // At or behind the eye its depth is MIN_DEPTH: left when x < -toLeft * MIN_DEPTH / f, and so on.
    const bool inFront = c.z - r > 0.0;
    const double behind = MIN_DEPTH / f;
    const auto below = [&](double along, double limit) { return inFront || along + r < limit; };
    const auto above = [&](double along, double limit) { return inFront || along - r > limit; };
    return (beyondPlane(f, toLeft, c.x, c.z) && below(c.x, -toLeft * behind))
           || (beyondPlane(-f, toRight, c.x, c.z) && above(c.x, toRight * behind))
           || (beyondPlane(f, toTop, c.y, c.z) && below(c.y, -toTop * behind))
           || (beyondPlane(-f, toBottom, c.y, c.z) && above(c.y, toBottom * behind));
}

// Stable least-significant-digit radix sort of entries on their upper 32
// bits, `bits` at a time, with the histogram of the lowest digit already
// counted; a digit alike in every entry is skipped. Returns the buffer that
// holds the result (entries or scratch).
std::uint64_t* sortEntries(std::uint64_t* entries, std::uint64_t* scratch, size_t count, int bits,
                           std::uint32_t* histogram, size_t* position)
{
    const size_t radixSize = size_t(1) << bits;
    const std::uint64_t mask = radixSize - 1;
    for (int shift = 32; shift < 64; shift += bits) {
        if (shift > 32) {
            std::fill(histogram, histogram + radixSize, 0u);
            for (size_t j = 0; j < count; ++j)
                ++histogram[(entries[j] >> shift) & mask];
        }
        bool alike = false;
        size_t base = 0;
        for (size_t digit = 0; digit < radixSize && !alike; ++digit) {
            alike = histogram[digit] == count;
            position[digit] = base;
            base += histogram[digit];
        }
        if (alike)
            continue;
        for (size_t j = 0; j < count; ++j)
            scratch[position[(entries[j] >> shift) & mask]++] = entries[j];
        std::swap(entries, scratch);
    }
    return entries;
}

// A face's place in the staging block: dropped, kept, or for the angle to decide.
enum StageMark : std::uint8_t { DROP = 0, KEEP = 1, ASK_ANGLE = 2 };

// The verdicts on a block of faces, before the kept ones are staged.
struct BlockVerdicts {
    alignas(16) float screenX[3][BLOCK], screenY[3][BLOCK], depth[BLOCK], lightCosine[BLOCK];
    std::uint8_t mark[BLOCK];
};

// The screen box of the corners seen so far, one face at a time.
struct CornerBounds {
    float minX = FLT_MAX, minY = FLT_MAX, maxX = -FLT_MAX, maxY = -FLT_MAX;
    void add(float x, float y)
    {
        minX = lower(x, minX);
        minY = lower(y, minY);
        maxX = higher(x, maxX);
        maxY = higher(y, maxY);
    }
};

// Judges face `first` of the mesh into place j of the block.
inline void judgeOne(const Placement& p, const float* const (&planes)[TriangleStreams::PLANES], size_t first,
                     size_t j, BlockVerdicts& block, CornerBounds& bounds)
{
    const FaceVerdict<float> v = judgeFace(p, transformFace<float>(p, planes, first));
    for (size_t k = 0; k < 3; ++k) {
        block.screenX[k][j] = v.screenX[k];
        block.screenY[k][j] = v.screenY[k];
        bounds.add(v.screenX[k], v.screenY[k]);
    }
    block.depth[j] = v.depth;
    block.lightCosine[j] = v.lightCosine;
    block.mark[j] = v.keep ? KEEP : v.askAngle ? ASK_ANGLE : DROP;
}

#ifdef __SSE2__
// The screen box of the corners seen so far, four faces at a time.
struct CornerBounds4 {
    Lanes minX{FLT_MAX}, minY{FLT_MAX}, maxX{-FLT_MAX}, maxY{-FLT_MAX};
    // Folds the four lanes' boxes into `bounds`, lane by lane as the faces would have come.
    void foldInto(CornerBounds& bounds) const
    {
        alignas(16) float lanes[4][4];
        _mm_store_ps(lanes[0], minX.v);
        _mm_store_ps(lanes[1], minY.v);
        _mm_store_ps(lanes[2], maxX.v);
        _mm_store_ps(lanes[3], maxY.v);
        for (size_t l = 0; l < 4; ++l) {
            bounds.minX = lower(lanes[0][l], bounds.minX);
            bounds.minY = lower(lanes[1][l], bounds.minY);
            bounds.maxX = higher(lanes[2][l], bounds.maxX);
            bounds.maxY = higher(lanes[3][l], bounds.maxY);
        }
    }
};

// Judges faces first..first+3 of the mesh into places j..j+3 of the block.
inline void judgeFour(const Placement& p, const float* const (&planes)[TriangleStreams::PLANES], size_t first,
                      size_t j, BlockVerdicts& block, CornerBounds4& bounds)
{
    const FaceVerdict<Lanes> v = judgeFace(p, transformFace<Lanes>(p, planes, first));
    for (size_t k = 0; k < 3; ++k) {
        _mm_store_ps(&block.screenX[k][j], v.screenX[k].v);
        _mm_store_ps(&block.screenY[k][j], v.screenY[k].v);
        bounds.minX = lower(v.screenX[k], bounds.minX);
        bounds.minY = lower(v.screenY[k], bounds.minY);
        bounds.maxX = higher(v.screenX[k], bounds.maxX);
        bounds.maxY = higher(v.screenY[k], bounds.maxY);
    }
    _mm_store_ps(&block.depth[j], v.depth.v);
    _mm_store_ps(&block.lightCosine[j], v.lightCosine.v);
    const int keepBits = _mm_movemask_ps(v.keep.v);
    const int askBits = _mm_movemask_ps(v.askAngle.v);
    for (size_t l = 0; l < 4; ++l)
        block.mark[j + l] = static_cast<std::uint8_t>(((keepBits >> l) & 1) | (((askBits >> l) & 1) << 1));
}
#endif

} // namespace

bool compareBatches(const Batch& a, const Batch& b)
{
    if (a.kinds.has(MeshKind::Space) || b.kinds.has(MeshKind::Space))
        return b.depth > a.depth;
    return a.depth > b.depth;
}

void sortBatches(std::vector<Batch*>& batches, std::vector<Batch*>& scratch)
{
    const size_t n = batches.size();
    scratch.resize(n);
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            const size_t mid = std::min(lo + width, n);
            const size_t hi = std::min(lo + 2 * width, n);
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi)
                scratch[k++] = compareBatches(*batches[j], *batches[i]) ? batches[j++] : batches[i++];
            while (i < mid)
                scratch[k++] = batches[i++];
            while (j < hi)
                scratch[k++] = batches[j++];
        }
        batches.swap(scratch);
    }
}

RenderPipeline::RenderPipeline() = default;
RenderPipeline::~RenderPipeline() = default;

const sf::Vertex& VertexSpan::at(size_t i) const
{
    if (i >= count_)
        throw std::out_of_range("VertexSpan::at");
    return data()[i];
}

void RenderPipeline::beginFrame()
{
    batches_.clear();
    usedVertices_ = 0;
    facesJudged_ = 0;
}

void RenderPipeline::sortBatches() { ::sortBatches(batches_, mergeScratch_); }

Batch& RenderPipeline::projectMesh(Mesh& mesh, const FrameSettings& settings)
{
    Mesh* const one[] = {&mesh};
    projectMeshes(one, 1, settings);
    return *batches_.back();
}

Batch& RenderPipeline::prepare(Mesh& mesh, const FrameSettings& settings)
{
    if (settings.paused) {
        mesh.followParents();
    } else {
        mesh.updateTransform(settings.frameTime);
        if (mesh.is(MeshKind::Wall))
            mesh.driftBack(750000.f);
    }
    mesh.depth = distance3(settings.camera.position, mesh.position() + mesh.sortOffset());

    if (batches_.size() == pool_.size())
        pool_.push_back(std::make_unique<Batch>());
    Batch& batch = *pool_[batches_.size()];
    batches_.push_back(&batch);
    batch.mesh = &mesh;
    batch.vertices = VertexSpan();
    batch.texture = mesh.triangles.empty() ? nullptr : mesh.maps().triangleTexture;
    batch.shader = mesh.shader();
    batch.kinds = mesh.kinds();
    batch.depth = mesh.depth;
    batch.notEmissive = !mesh.emissive();
    batch.opaque = mesh.drawsOpaque();
    return batch;
}

void RenderPipeline::projectMeshes(Mesh* const* meshes, size_t count, const FrameSettings& settings)
{
    // The meshes move in list order (a child follows a parent moved before
    // it), and their batches go in painter's order, which needs nothing of
    // their faces; then the faces are worked on by the team: judged in pieces,
    // then written into the frame's vertices, batch after batch.
    const size_t firstBatch = batches_.size();
    for (size_t i = 0; i < count; ++i)
        prepare(*meshes[i], settings);
    added_.assign(batches_.begin() + static_cast<long>(firstBatch), batches_.end());
    ::sortBatches(added_, mergeScratch_);
    std::copy(added_.begin(), added_.end(), batches_.begin() + static_cast<long>(firstBatch));

    // A mesh wholly off the window keeps none of its faces: it is not judged
    // face by face (save the final boss's head, whose screen box the fight reads).
    jobs_.clear();
    size_t faces = 0;
    for (size_t i = firstBatch; i < batches_.size(); ++i) {
        Batch& batch = *batches_[i];
        const Mesh& mesh = *batch.mesh;
        const bool offWindow = settings.skipMeshesOffWindow && mesh.streams.count
                               && !mesh.is(MeshKind::FinalBossHead)
                               && wholeMeshPastOneEdge(placementOf(mesh, settings), mesh.streams);
        jobs_.push_back({batch.mesh, &batch, faces, 0, 0, 0, offWindow});
        if (!offWindow)
            faces += mesh.streams.count;
    }
    facesJudged_ += faces;
    if (staged_.size() < faces) {
        staged_.resize(faces);
        entries_.resize(faces);
        entriesScratch_.resize(faces);
    }
    const int cores = settings.threads > 0 ? settings.threads : usableCores();
    const int members = teamSize(cores, faces, TRIANGLES_PER_MEMBER);
    if (scratch_.size() < static_cast<size_t>(members))
        scratch_.resize(static_cast<size_t>(members));
    settings_ = &settings;

    pieces_.clear();
    for (size_t j = 0; j < jobs_.size(); ++j) {
        MeshJob& job = jobs_[j];
        const size_t n = job.offWindow ? 0 : job.mesh->streams.count;
        // A big mesh is shared out; most meshes are one member's work.
        const int split = n >= 2 * TRIANGLES_PER_MEMBER ? teamSize(members, n, TRIANGLES_PER_MEMBER) : 1;
        job.firstPiece = pieces_.size();
        job.pieces = n ? static_cast<size_t>(split) : 0;
        for (int part = 0; n && part < split; ++part) {
            Piece piece;
            piece.job = j;
            chunkOf(n, split, part, piece.begin, piece.end);
            pieces_.push_back(piece);
        }
        if (!job.mesh->streams.count)
            job.mesh->screenBounds = ScreenBounds{};
    }
    // Biggest first, so that the last items to go are small.
    order_.resize(pieces_.size());
    std::iota(order_.begin(), order_.end(), size_t{0});
    if (members > 1)
        std::sort(order_.begin(), order_.end(), [this](size_t a, size_t b) {
            const size_t sizeA = pieces_[a].end - pieces_[a].begin, sizeB = pieces_[b].end - pieces_[b].begin;
            return sizeA != sizeB ? sizeA > sizeB : a < b;
        });
    auto judge = [this](size_t item, int member) {
        judgePiece(pieces_[order_[item]], scratch_[static_cast<size_t>(member)]);
    };
    team_.run(pieces_.size(), members, judge);

    // The batches' places in the frame's vertices; a mesh shared out is merged
    // from its sorted pieces, each member writing a share.
    shares_.clear();
    size_t vertices = usedVertices_;
    for (size_t j = 0; j < jobs_.size(); ++j) {
        MeshJob& job = jobs_[j];
        ScreenBounds bounds{FLT_MAX, FLT_MAX, -FLT_MAX, -FLT_MAX};
        size_t kept = 0;
        for (size_t p = job.firstPiece; p < job.firstPiece + job.pieces; ++p) {
            const ScreenBounds& b = pieces_[p].bounds;
            bounds = {std::min(bounds.minX, b.minX), std::min(bounds.minY, b.minY), std::max(bounds.maxX, b.maxX),
                      std::max(bounds.maxY, b.maxY)};
            kept += pieces_[p].kept;
        }
        if (job.pieces)
            job.mesh->screenBounds = bounds;
        job.firstVertex = vertices;
        job.batch->vertices = VertexSpan(&vertices_, vertices, 3 * kept);
        vertices += 3 * kept;
        for (size_t part = 0; part < job.pieces; ++part) {
            Share share{j, 0, 0};
            chunkOf(kept, static_cast<int>(job.pieces), static_cast<int>(part), share.outBegin, share.outEnd);
            shares_.push_back(share);
        }
    }
    // Grown, never shrunk: what lies past the frame's vertices is left as it is.
    if (vertices_.size() < vertices)
        vertices_.resize(vertices);
    usedVertices_ = vertices;
    auto write = [this](size_t item, int member) { writeShare(shares_[item], scratch_[static_cast<size_t>(member)]); };
    team_.run(shares_.size(), members, write);
}

void RenderPipeline::judgePiece(Piece& piece, MemberScratch& scratch)
{
    const MeshJob& job = jobs_[piece.job];
    Mesh& mesh = *job.mesh;
    const FrameSettings& settings = *settings_;
    const TriangleStreams& streams = mesh.streams;
    const Placement placement = placementOf(mesh, settings);
    const float* planes[TriangleStreams::PLANES];
    for (size_t p = 0; p < TriangleStreams::PLANES; ++p)
        planes[p] = streams.plane(p);
    const sf::Vector2f* texCoords = streams.texCoords.data();
    sf::Color* colours = mesh.streams.colours.data();
    const bool depthView = settings.depthView;
    const bool lit = mesh.lit;
    const bool flashing = mesh.flashGrey() != 0.f;
    const sf::Color flashColour(greyOf(mesh.flashGrey()), greyOf(mesh.flashGrey()), greyOf(mesh.flashGrey()), 255);
    const float worldLighting = settings.worldLighting;
    // The mesh's faces are staged in its own part of the frame's buffers; an
    // entry names a face by its place there.
    StagedFace* const staged = staged_.data() + job.offset;
    std::uint64_t* const keys = entriesScratch_.data() + job.offset + piece.begin;
    std::uint32_t* const histogram = scratch.histogram;
    const size_t begin = piece.begin, end = piece.end;
    // Short runs sort on 8-bit digits: more passes, but far smaller histograms.
    const int radixBits = end - begin <= SHORT_RUN ? 8 : 11;
    const std::uint64_t radixMask = (std::uint64_t(1) << radixBits) - 1;

    // Transform, project, cull and light the faces a block at a time, four
    // by four; then stage the kept ones with their far-first keys (counted
    // for the sort's first digit).
    std::fill(histogram, histogram + radixMask + 1, 0u);
    size_t kept = 0;
    CornerBounds bounds;
#ifdef __SSE2__
    CornerBounds4 bounds4;
#endif
    BlockVerdicts block;
    const auto& [screenX, screenY, depth, lightCosine, mark] = block;
    for (size_t blockBegin = begin; blockBegin < end; blockBegin += BLOCK) {
        const size_t blockCount = std::min(BLOCK, end - blockBegin);
        size_t j = 0;
#ifdef __SSE2__
        for (; j + 4 <= blockCount; j += 4)
            judgeFour(placement, planes, blockBegin + j, j, block, bounds4);
#endif
        for (; j < blockCount; ++j)
            judgeOne(placement, planes, blockBegin + j, j, block, bounds);

        for (j = 0; j < blockCount; ++j) {
            if (mark[j] == DROP)
                continue;
            const size_t i = blockBegin + j;
            FaceGeometry<float> f;
            if (mark[j] == ASK_ANGLE || depthView)
                f = transformFace<float>(placement, planes, i);
            if (mark[j] == ASK_ANGLE && !facesCameraByAngle(placement, f))
                continue;
            sf::Color* colour = colours + 3 * i;
            if (depthView) {
                for (size_t k = 0; k < 3; ++k)
                    colour[k] = GREYS[depthGrey(length(f.view[k]))];
            } else if (lit) {
                colour[0] = colour[1] = colour[2] = GREYS[ambientGreyByTable(lightCosine[j], worldLighting)];
            }
            if (flashing)
                colour[0] = colour[1] = colour[2] = flashColour;
            StagedFace& face = staged[begin + kept];
            for (size_t k = 0; k < 3; ++k) {
                face.corners[k].position = {screenX[k][j], screenY[k][j]};
                face.corners[k].color = colour[k];
                face.corners[k].texCoords = texCoords[3 * i + k];
            }
            const std::uint64_t key = farFirstKey(depth[j]);
            ++histogram[key & radixMask];
            keys[kept] = key << 32 | (begin + kept);
            ++kept;
        }
    }
#ifdef __SSE2__
    bounds4.foldInto(bounds);
#endif
    piece.bounds = {bounds.minX, bounds.minY, bounds.maxX, bounds.maxY};
    piece.kept = kept;
    piece.sorted =
        sortEntries(keys, entries_.data() + job.offset + begin, kept, radixBits, histogram, scratch.position);
}

void RenderPipeline::writeShare(const Share& share, MemberScratch& scratch)
{
    const MeshJob& job = jobs_[share.job];
    const Piece* const runs = pieces_.data() + job.firstPiece;
    const StagedFace* const staged = staged_.data() + job.offset;
    sf::Vertex* const out = vertices_.data() + job.firstVertex;
    const size_t team = job.pieces;
    size_t* cursor = nullptr;
    if (team > 1) {
        scratch.cursor.resize(team);
        cursor = scratch.cursor.data();
        splitSortedRuns(runs, team, share.outBegin, job.batch->vertices.size() / 3, cursor);
    }
    constexpr size_t PREFETCH_AHEAD = 16;
    for (size_t j = share.outBegin; j < share.outEnd; ++j) {
        // The next face in the merged order: the lowest entry at the runs' cursors.
        size_t from = 0;
        std::uint64_t entry = runs[0].sorted[j];
        size_t ahead = j + PREFETCH_AHEAD;
        if (team > 1) {
            entry = UINT64_MAX;
            for (size_t run = 0; run < team; ++run)
                if (cursor[run] < runs[run].kept && runs[run].sorted[cursor[run]] <= entry) {
                    from = run;
                    entry = runs[run].sorted[cursor[run]];
                }
            ahead = ++cursor[from] + PREFETCH_AHEAD;
        }
        if (ahead < runs[from].kept)
            __builtin_prefetch(&staged[static_cast<std::uint32_t>(runs[from].sorted[ahead])]);
        const StagedFace& face = staged[static_cast<std::uint32_t>(entry)];
        out[3 * j] = face.corners[0];
        out[3 * j + 1] = face.corners[1];
        out[3 * j + 2] = face.corners[2];
    }
}

void RenderPipeline::splitSortedRuns(const Piece* runs, size_t team, size_t rank, size_t total, size_t* split)
{
    if (rank >= total) {
        for (size_t t = 0; t < team; ++t)
            split[t] = runs[t].kept;
        return;
    }
    // The entry of that rank lies in one of the runs: find it there by its
    // rank among all (entries are unique, so ranks are exact).
    auto before = [runs](size_t run, std::uint64_t entry) {
        const std::uint64_t* first = runs[run].sorted;
        return static_cast<size_t>(std::lower_bound(first, first + runs[run].kept, entry) - first);
    };
    for (size_t t = 0; t < team; ++t) {
        size_t low = 0, high = runs[t].kept;
        while (low < high) {
            const size_t middle = low + (high - low) / 2;
            const std::uint64_t entry = runs[t].sorted[middle];
            size_t rankOfEntry = middle;
            for (size_t u = 0; u < team; ++u)
                if (u != t)
                    rankOfEntry += before(u, entry);
            if (rankOfEntry == rank) {
                for (size_t u = 0; u < team; ++u)
                    split[u] = u == t ? middle : before(u, entry);
                return;
            }
            if (rankOfEntry < rank)
                low = middle + 1;
            else
                high = middle;
        }
    }
}
