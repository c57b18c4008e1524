#include <fstream>
#include <iterator>
#include <optional>

#include <GL/gl.h>

#include "assets/bitmap.h"
#include "assets/folder_path.h"
#include "assets/model.h"

#ifndef GL_BGR_EXT
#define GL_BGR_EXT 0x80E0
#endif

namespace {

// One texture object with the image, or plain white when there is none.
GLuint uploadTexture(const std::optional<PixelBuffer>& image) {
    static const std::uint8_t kWhite[3] = {255, 255, 255};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // The buffer's rows are tightly packed, whatever their width.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (image)
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, image->width, image->height, 0, GL_BGR_EXT,
                     GL_UNSIGNED_BYTE, image->pixels.data());
    else
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_BGR_EXT, GL_UNSIGNED_BYTE, kWhite);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return texture;
}

} // namespace

bool loadModel(const std::filesystem::path& path, Model& model,
               const std::filesystem::path& textureFolder, PixelBuffer& pixelBuffer,
               Prompts* prompts, TextureObjects* shared) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    Model loaded;
    if (!parseModel(bytes.data(), bytes.size(), loaded))
        return false;
    // Every image is read, and every missing one reported, before the first GL call: a message
    // box then never opens (and runs the event loop) while a texture object is half made.
    std::vector<std::string> files;
    std::vector<std::optional<PixelBuffer>> images;
    images.reserve(loaded.textureNames.size());
    for (const std::string& name : loaded.textureNames) {
        files.push_back(inFolder(textureFolder, name).string());
        if (shared && shared->count(files.back()))
            images.emplace_back(std::nullopt);
        else if (loadBitmap(files.back(), pixelBuffer, prompts))
            images.emplace_back(pixelBuffer);
        else
            images.emplace_back(std::nullopt);
    }
    loaded.textures.reserve(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        if (shared) {
            auto [known, fresh] = shared->try_emplace(files[i], 0);
            if (fresh)
                known->second = uploadTexture(images[i]);
            loaded.textures.push_back(known->second);
        } else {
            loaded.textures.push_back(uploadTexture(images[i]));
        }
    }
    model = std::move(loaded);
    return true;
}
