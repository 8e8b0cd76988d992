// PVFSatStream: binary body data in memory, its zlib form and its files. Damaged or truncated
// data fails cleanly: memory grows only with data really present, never with a stated length.
#include <varnex/base/file_io.h>
#include <varnex/persistence/sat_stream.h>
#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr std::size_t kHeaderSize = 4;
constexpr std::size_t kChunk = 1 << 16;

void StoreLength(unsigned char* out, std::uint32_t length) {
  for (std::size_t i = 0; i < kHeaderSize; ++i) {
    out[i] = static_cast<unsigned char>(length >> (8 * i));
  }
}

std::uint32_t LoadLength(const unsigned char* in) {
  std::uint32_t length = 0;
  for (std::size_t i = 0; i < kHeaderSize; ++i) {
    length |= std::uint32_t{in[i]} << (8 * i);
  }
  return length;
}

// Inflates `in` into exactly `stated` bytes. The output grows as data arrives; more or fewer
// bytes than stated, a zlib error or input left over after the stream all fail.
bool InflateExactly(unsigned char* in, std::size_t inLength, std::uint32_t stated,
                    std::vector<unsigned char>& out) {
  z_stream zs{};
  if (inLength > UINT_MAX || inflateInit(&zs) != Z_OK) {
    return false;
  }
  zs.next_in = in;
  zs.avail_in = static_cast<uInt>(inLength);
  std::size_t produced = 0;
  unsigned char probe = 0;
  int result = Z_OK;
  while (result != Z_STREAM_END) {
    if (produced == out.size() && out.size() < stated) {
      out.resize(std::min<std::size_t>(stated, std::max(2 * out.size(), kChunk)));
    }
    bool probing = produced == stated;  // any further byte means the stated length is wrong
    zs.next_out = probing ? &probe : out.data() + produced;
    zs.avail_out =
        probing ? 1 : static_cast<uInt>(std::min<std::size_t>(out.size() - produced, UINT_MAX));
    uInt inBefore = zs.avail_in;
    uInt outBefore = zs.avail_out;
    result = inflate(&zs, Z_NO_FLUSH);
    std::size_t written = outBefore - zs.avail_out;
    bool stalled = written == 0 && zs.avail_in == inBefore && result != Z_STREAM_END;
    if ((probing && written != 0) || stalled || (result != Z_OK && result != Z_STREAM_END)) {
      inflateEnd(&zs);
      return false;
    }
    produced += written;
  }
  bool exact = produced == stated && zs.avail_in == 0;
  inflateEnd(&zs);
  return exact;
}

}  // namespace

BinaryFile::~BinaryFile() = default;

PVFSatStream::~PVFSatStream() = default;

std::size_t PVFSatStream::read(void* data, std::size_t n) {
  if (data == nullptr) {
    return 0;
  }
  std::size_t available = position_ < buffer_.size() ? buffer_.size() - position_ : 0;
  std::size_t copied = std::min(n, available);
  if (copied != 0) {
    std::memcpy(data, buffer_.data() + position_, copied);
  }
  std::memset(static_cast<unsigned char*>(data) + copied, 0, n - copied);
  position_ += static_cast<Mark>(copied);
  return copied;
}

void PVFSatStream::write(const void* data, std::size_t n) {
  if (data == nullptr || n == 0) {
    return;
  }
  const auto* bytes = static_cast<const unsigned char*>(data);
  buffer_.insert(buffer_.end(), bytes, bytes + n);
  position_ += static_cast<Mark>(n);
}

XBOOL PVFSatStream::Compress() {
  if (buffer_.size() > UINT32_MAX) {
    return FALSE;
  }
  uLong length = static_cast<uLong>(buffer_.size());
  uLongf packedLength = compressBound(length);
  std::vector<unsigned char> packed(kHeaderSize + packedLength);
  if (compress(packed.data() + kHeaderSize, &packedLength, buffer_.data(), length) != Z_OK) {
    return FALSE;
  }
  StoreLength(packed.data(), static_cast<std::uint32_t>(length));
  packed.resize(kHeaderSize + packedLength);
  packed.shrink_to_fit();
  buffer_.swap(packed);
  position_ = 0;
  return TRUE;
}

XBOOL PVFSatStream::Uncompress() {
  std::vector<unsigned char> data;
  bool ok = buffer_.size() >= kHeaderSize &&
            InflateExactly(buffer_.data() + kHeaderSize, buffer_.size() - kHeaderSize,
                           LoadLength(buffer_.data()), data);
  if (!ok) {
    data.clear();
  }
  buffer_.swap(data);
  buffer_.shrink_to_fit();
  position_ = 0;
  return ToXBool(ok);
}

XBOOL PVFSatStream::WriteToFile(const char* path) const {
  if (path == nullptr || buffer_.empty() || buffer_.size() > UINT32_MAX) {
    return TRUE;
  }
  // Written beside the old file and renamed over it only when complete.
  PVFAtomicFile file(path);
  unsigned char header[kHeaderSize];
  StoreLength(header, static_cast<std::uint32_t>(buffer_.size()));
  file.Write(std::string_view(reinterpret_cast<const char*>(header), kHeaderSize));
  file.Write(std::string_view(reinterpret_cast<const char*>(buffer_.data()), buffer_.size()));
  return ToXBool(!file.Commit());
}

// Reads in chunks so that a damaged length costs no more memory than the file really holds.
XBOOL PVFSatStream::ReadFromFile(const char* path) {
  if (path == nullptr || !buffer_.empty() || !PVFIsRegularFile(path)) {
    return TRUE;
  }
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    return TRUE;
  }
  unsigned char header[kHeaderSize];
  bool ok = std::fread(header, 1, kHeaderSize, file) == kHeaderSize;
  std::uint32_t stated = ok ? LoadLength(header) : 0;
  std::vector<unsigned char> data;
  while (ok && data.size() < stated) {
    std::size_t start = data.size();
    std::size_t want = std::min<std::size_t>(stated - start, kChunk);
    data.resize(start + want);
    ok = std::fread(data.data() + start, 1, want, file) == want;
  }
  std::fclose(file);
  if (ok) {
    buffer_.swap(data);
  }
  position_ = 0;
  return ToXBool(!ok);
}

XBOOL PVFSatStream::Test() const {
  PVFSatStream copy(*this);
  if (!copy.Compress() || !copy.Uncompress()) {
    return FALSE;
  }
  return ToXBool(copy.buffer_ == buffer_);
}
