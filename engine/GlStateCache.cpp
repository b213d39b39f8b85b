#include "engine/GlStateCache.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Shader.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/OpenGL.hpp>
#include <SFML/Window/Context.hpp>
#include <cstring>

namespace {

// The GL 2.0 entry points, looked up once a context exists.
struct ShaderFunctions {
    void (*useProgram)(GLuint) = nullptr;
    GLint (*uniformLocation)(GLuint, const char*) = nullptr;
    void (*uniform1f)(GLint, GLfloat) = nullptr;
    void (*uniform2f)(GLint, GLfloat, GLfloat) = nullptr;
    void (*uniform3f)(GLint, GLfloat, GLfloat, GLfloat) = nullptr;
    void (*uniform1i)(GLint, GLint) = nullptr;
    void (*activeTexture)(GLenum) = nullptr;
    bool loaded = false;
};
ShaderFunctions gl;

template <class Function>
bool lookUp(Function& function, const char* name, const char* extensionName)
{
    sf::GlFunctionPointer found = sf::Context::getFunction(name);
    if (!found)
        found = sf::Context::getFunction(extensionName);
    function = reinterpret_cast<Function>(found);
    return function != nullptr;
}

} // namespace

bool GlStateCache::loadFunctions()
{
    if (gl.loaded)
        return true;
    gl.loaded = lookUp(gl.useProgram, "glUseProgram", "glUseProgramObjectARB")
        && lookUp(gl.uniformLocation, "glGetUniformLocation", "glGetUniformLocationARB")
        && lookUp(gl.uniform1f, "glUniform1f", "glUniform1fARB")
        && lookUp(gl.uniform2f, "glUniform2f", "glUniform2fARB")
        && lookUp(gl.uniform3f, "glUniform3f", "glUniform3fARB")
        && lookUp(gl.uniform1i, "glUniform1i", "glUniform1iARB")
        && lookUp(gl.activeTexture, "glActiveTexture", "glActiveTextureARB");
    return gl.loaded;
}

GlStateCache::Program* GlStateCache::program(const sf::Shader& shader, const char* const* names, std::size_t count,
                                             std::size_t samplers)
{
    const unsigned handle = shader.getNativeHandle();
    if (handle == 0 || !loadFunctions())
        return nullptr;
    for (const std::unique_ptr<Program>& known : programs_)
        if (known->handle_ == handle)
            return known.get();
    auto made = std::make_unique<Program>();
    made->handle_ = handle;
    int nextUnit = 1;
    for (std::size_t i = 0; i < count; ++i) {
        Program::Uniform uniform;
        uniform.location = gl.uniformLocation(handle, names[i]);
        if (i < samplers)
            uniform.unit = nextUnit++;
        made->uniforms_.push_back(uniform);
    }
    programs_.push_back(std::move(made));
    return programs_.back().get();
}

bool GlStateCache::beginPass(sf::RenderTarget& target)
{
    if (!target.setActive(true))
        return false;
    target.resetGLStates(); // leaves no program in use
    current_ = nullptr;
    currentKnown_ = true;
    boundKnown_.fill(false);
    activeUnit_ = -1;
    return true;
}

void GlStateCache::endPass()
{
    use(nullptr);
    readyForDraw();
}

void GlStateCache::use(Program* program)
{
    if (currentKnown_ && current_ == program)
        return;
    if (!gl.loaded)
        return;
    gl.useProgram(program ? program->handle_ : 0);
    current_ = program;
    currentKnown_ = true;
    ++programChanges_;
}

bool GlStateCache::changes(std::size_t uniform, const void* value, std::size_t size)
{
    if (!current_ || uniform >= current_->uniforms_.size())
        return false;
    Program::Uniform& slot = current_->uniforms_[uniform];
    if (slot.location < 0)
        return false;
    if (slot.known && std::memcmp(slot.value.data(), value, size) == 0)
        return false;
    std::memcpy(slot.value.data(), value, size);
    slot.known = true;
    return true;
}

void GlStateCache::setFloat(std::size_t uniform, float value)
{
    if (changes(uniform, &value, sizeof value))
        gl.uniform1f(current_->uniforms_[uniform].location, value);
}

void GlStateCache::setBool(std::size_t uniform, bool value)
{
    const GLint number = value ? 1 : 0;
    if (changes(uniform, &number, sizeof number))
        gl.uniform1i(current_->uniforms_[uniform].location, number);
}

void GlStateCache::setInt(std::size_t uniform, int value)
{
    const GLint number = value;
    if (changes(uniform, &number, sizeof number))
        gl.uniform1i(current_->uniforms_[uniform].location, number);
}

void GlStateCache::setVec2(std::size_t uniform, const sf::Glsl::Vec2& value)
{
    const float v[2] = {value.x, value.y};
    if (changes(uniform, v, sizeof v))
        gl.uniform2f(current_->uniforms_[uniform].location, v[0], v[1]);
}

void GlStateCache::setVec3(std::size_t uniform, const sf::Glsl::Vec3& value)
{
    const float v[3] = {value.x, value.y, value.z};
    if (changes(uniform, v, sizeof v))
        gl.uniform3f(current_->uniforms_[uniform].location, v[0], v[1], v[2]);
}

void GlStateCache::setTexture(std::size_t uniform, const sf::Texture& texture)
{
    if (!current_ || uniform >= current_->uniforms_.size())
        return;
    const Program::Uniform& slot = current_->uniforms_[uniform];
    if (slot.location < 0 || slot.unit <= 0 || slot.unit >= UNITS)
        return;
    const GLint unit = slot.unit;
    if (changes(uniform, &unit, sizeof unit))
        gl.uniform1i(slot.location, unit);
    bindOnUnit(slot.unit, texture.getNativeHandle());
}

void GlStateCache::setDrawnTexture(std::size_t uniform)
{
    const GLint unit = 0;
    if (changes(uniform, &unit, sizeof unit))
        gl.uniform1i(current_->uniforms_[uniform].location, unit);
}

void GlStateCache::bindOnUnit(int unit, unsigned texture)
{
    if (boundKnown_[unit] && bound_[unit] == texture)
        return;
    if (activeUnit_ != unit) {
        gl.activeTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
        activeUnit_ = unit;
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    bound_[unit] = texture;
    boundKnown_[unit] = true;
    ++textureBinds_;
}

void GlStateCache::readyForDraw()
{
    if (activeUnit_ == 0 || !gl.loaded)
        return;
    gl.activeTexture(GL_TEXTURE0);
    activeUnit_ = 0;
}
