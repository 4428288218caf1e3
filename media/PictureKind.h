// What kind of picture a file holds, told from its first bytes, never from its name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace media {

enum class TPictureKind { Unknown, Jpeg, Png, Gif, Bmp, WebP, Heif, Avif, Svg, Icon, Metafile };

// How many first bytes RecognisePicture wants to see (fewer are fine for a short file).
constexpr std::size_t PictureHeadBytes = 512;

TPictureKind RecognisePicture(const std::uint8_t* head, std::size_t size);

// The first `count` bytes of the file (fewer when it is shorter). Throws TMediaError naming
// the file ("Cannot open the <what> file ...") when it cannot be opened.
std::vector<std::uint8_t> ReadFileHead(const std::string& path, std::size_t count, const std::string& what = "picture");

// "PNG", "GIF", ... for messages.
const char* PictureKindName(TPictureKind kind);

}  // namespace media
