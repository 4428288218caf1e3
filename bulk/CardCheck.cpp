#include "bulk/CardCheck.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <filesystem>

namespace {

class TMediaFile {
public:
  explicit TMediaFile(const std::string& file) : Descriptor(::open(file.c_str(), O_RDONLY | O_CLOEXEC))
  {
    struct stat info {};
    if (Descriptor >= 0 && ::fstat(Descriptor, &info) == 0 && S_ISREG(info.st_mode)) Size = info.st_size;
  }
  ~TMediaFile()
  {
    if (Descriptor >= 0) ::close(Descriptor);
  }
  TMediaFile(const TMediaFile&) = delete;
  TMediaFile& operator=(const TMediaFile&) = delete;

  bool Read(void* buffer, std::size_t count, std::uint64_t offset) const
  {
    return offset + count <= Size && ::pread(Descriptor, buffer, count, static_cast<off_t>(offset)) == static_cast<ssize_t>(count);
  }
  bool Has(const void* bytes, std::size_t count, std::uint64_t offset) const
  {
    unsigned char found[16];
    return count <= sizeof found && Read(found, count, offset) && std::memcmp(found, bytes, count) == 0;
  }

  int Descriptor;
  std::uint64_t Size = 0; // 0 also for what is not a readable plain file
};

std::uint32_t LittleEndian32(const unsigned char* bytes)
{
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

// A whole uncompressed movie of `length` bytes at `offset`.
bool IsMovieAt(const TMediaFile& file, std::uint64_t offset, std::uint64_t length)
{
  unsigned char header[8];
  if (length < 8 || !file.Read(header, 8, offset)) return false;
  return std::memcmp(header, "FWS", 3) == 0 && LittleEndian32(header + 4) == length;
}

std::uint64_t BigEndian(const unsigned char* bytes, int count)
{
  std::uint64_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | bytes[i];
  return value;
}

// Boxes one after another that end exactly at the file's end, the movie's index among them.
bool IsCompleteMp4(const TMediaFile& file)
{
  bool index = false, data = false;
  std::uint64_t offset = 0;
  while (offset < file.Size) {
    unsigned char head[16];
    if (!file.Read(head, 8, offset)) return false;
    std::uint64_t size = BigEndian(head, 4);
    if (size == 1) {
      if (!file.Read(head + 8, 8, offset + 8)) return false;
      size = BigEndian(head + 8, 8);
    } else if (size == 0) {
      size = file.Size - offset; // the last box, up to the end
    }
    if (size < 8 || size > file.Size - offset) return false;
    index |= std::memcmp(head + 4, "moov", 4) == 0;
    data |= std::memcmp(head + 4, "mdat", 4) == 0;
    offset += size;
  }
  return index && data;
}

// An EBML number: its length is told by the first set bit. False past the file's end.
bool ReadEbmlNumber(const TMediaFile& file, std::uint64_t& offset, std::uint64_t& value, bool& unknown)
{
  unsigned char first = 0;
  if (!file.Read(&first, 1, offset)) return false;
  int length = 1;
  while (length <= 8 && !(first & (0x80 >> (length - 1)))) ++length;
  if (length > 8) return false;
  unsigned char bytes[8] = {first};
  if (length > 1 && !file.Read(bytes + 1, static_cast<std::size_t>(length - 1), offset + 1)) return false;
  value = first & (0xFF >> length);
  for (int i = 1; i < length; ++i) value = value << 8 | bytes[i];
  unknown = value == (std::uint64_t{1} << (7 * length)) - 1;
  offset += static_cast<std::uint64_t>(length);
  return true;
}

// The header, then one segment whose size (written last, when the file is finished) reaches
// exactly to the file's end.
bool IsCompleteWebm(const TMediaFile& file)
{
  static const unsigned char header[] = {0x1A, 0x45, 0xDF, 0xA3};
  static const unsigned char segment[] = {0x18, 0x53, 0x80, 0x67};
  std::uint64_t offset = 4, size = 0;
  bool unknown = false;
  if (!file.Has(header, 4, 0) || !ReadEbmlNumber(file, offset, size, unknown) || unknown) return false;
  if (size > file.Size - offset) return false;
  offset += size;
  if (!file.Has(segment, 4, offset)) return false;
  offset += 4;
  if (!ReadEbmlNumber(file, offset, size, unknown) || unknown) return false;
  return offset + size == file.Size;
}

bool IsCompleteGif(const TMediaFile& file)
{
  const unsigned char trailer = 0x3B;
  return (file.Has("GIF89a", 6, 0) || file.Has("GIF87a", 6, 0)) && file.Has(&trailer, 1, file.Size - 1);
}

bool IsCompleteWebp(const TMediaFile& file)
{
  unsigned char size[4];
  if (!file.Has("RIFF", 4, 0) || !file.Has("WEBP", 4, 8) || !file.Read(size, 4, 4)) return false;
  return LittleEndian32(size) + std::uint64_t{8} == file.Size;
}

bool IsCompletePng(const TMediaFile& file)
{
  static const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  static const unsigned char end[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  return file.Size >= sizeof signature + sizeof end && file.Has(signature, sizeof signature, 0) &&
         file.Has(end, sizeof end, file.Size - sizeof end);
}

// The page the export writes ends with its closing tag.
bool IsCompletePage(const TMediaFile& file)
{
  static const char end[] = "</html>\n";
  return file.Size >= sizeof end - 1 && file.Has(end, sizeof end - 1, file.Size - (sizeof end - 1));
}

} // namespace

bool IsCompleteMovie(const std::string& file)
{
  const TMediaFile input(file);
  return IsMovieAt(input, 0, input.Size);
}

bool IsCompleteProjector(const std::string& file)
{
  const TMediaFile input(file);
  unsigned char trailer[8];
  if (input.Size < 8 || !input.Read(trailer, 8, input.Size - 8)) return false;
  if (LittleEndian32(trailer) != 0xFA123456) return false;
  const std::uint64_t length = LittleEndian32(trailer + 4);
  return length <= input.Size - 8 && IsMovieAt(input, input.Size - 8 - length, length);
}

bool IsCompleteMedia(const std::string& file)
{
  std::string extension = std::filesystem::path(file).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const TMediaFile media(file);
  if (media.Size == 0) return false;
  if (extension == ".mp4") return IsCompleteMp4(media);
  if (extension == ".webm") return IsCompleteWebm(media);
  if (extension == ".gif") return IsCompleteGif(media);
  if (extension == ".webp") return IsCompleteWebp(media);
  if (extension == ".png") return IsCompletePng(media);
  if (extension == ".html") return IsCompletePage(media);
  return false;
}

std::vector<std::string> CardFiles(const std::string& target, const std::string& format)
{
  if (format != "html") return {target};
  const std::string stem = target.substr(0, target.size() - std::string(".html").size());
  return {target, stem + ".webm", stem + ".mp4", stem + ".png"};
}

bool IsCompleteCard(const std::string& target, const std::string& format)
{
  if (format == "swf") return IsCompleteMovie(target);
  if (format == "exe") return IsCompleteProjector(target);
  for (const std::string& file : CardFiles(target, format))
    if (!IsCompleteMedia(file)) return false;
  return true;
}
