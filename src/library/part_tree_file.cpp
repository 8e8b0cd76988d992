// The part tree's text listing and its binary file: 32-bit little-endian integers, strings as
// their length with the closing NUL followed by the bytes and the NUL.
#include <varnex/library/part_tree.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

bool WriteWord(FILE* file, std::uint32_t value) {
  std::array<unsigned char, 4> bytes = {
      static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
      static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
  return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

bool WriteString(FILE* file, const PVMStrg& text) {
  // A C string ends at its first NUL, and so does what the reader gets back.
  std::size_t length = std::strlen(text.GetpStr()) + 1;
  return length <= UINT32_MAX && WriteWord(file, static_cast<std::uint32_t>(length)) &&
         std::fwrite(text.GetpStr(), 1, length, file) == length;
}

/// Reads what the file holds, however it came (pipe or file), and never allocates more than the
/// bytes that actually arrive.
class BinaryReader {
 public:
  explicit BinaryReader(FILE* file) : file_(file) {}

  enum class Result { kOk, kEnd, kDamaged };

  /// kEnd only when the file ends cleanly before the word.
  Result ReadWord(std::uint32_t& value) {
    std::array<unsigned char, 4> bytes{};
    std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file_);
    if (got == 0) {
      return Result::kEnd;
    }
    if (got != bytes.size()) {
      return Result::kDamaged;
    }
    value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t{bytes[3]} << 24);
    return Result::kOk;
  }

  bool ReadString(PVMStrg& out) {
    std::uint32_t length = 0;
    if (ReadWord(length) != Result::kOk || length == 0) {
      return false;
    }
    std::string text;
    constexpr std::size_t kChunk = 64 * 1024;
    while (text.size() < length) {
      std::size_t want = std::min<std::size_t>(kChunk, length - text.size());
      std::size_t start = text.size();
      text.resize(start + want);
      if (std::fread(text.data() + start, 1, want, file_) != want) {
        return false;
      }
    }
    // The text ends at its NUL, the last byte; a NUL before it would cut the text short.
    if (text.back() != '\0' || text.find('\0') != text.size() - 1) {
      return false;
    }
    text.pop_back();
    out = text.c_str();
    return true;
  }

 private:
  FILE* file_;
};

}  // namespace

XBOOL PVMFMSTree::Write(FILE* file) const {
  if (file == nullptr) {
    return FALSE;
  }
  bool ok = true;
  if (parent_ != nullptr) {
    int ancestors = 0;
    for (const PVMFMSTree* walk = parent_; walk != nullptr; walk = walk->parent_) {
      ++ancestors;
    }
    if (preceding_comment_.IsNotVoid()) {
      ok = ok && std::fputs(preceding_comment_, file) >= 0;
    }
    if (name_.IsNotVoid() || info_.IsNotVoid()) {
      for (int tab = 1; tab < ancestors; ++tab) {
        ok = ok && std::fputc('\t', file) != EOF;
      }
      ok = ok && std::fprintf(file, "\"%s\"", name_.GetpStr()) >= 0;
      if (info_.IsNotVoid()) {
        ok = ok && std::fprintf(file, "\t\t%s", info_.GetpStr()) >= 0;
      }
      if (comment_.IsNotVoid()) {
        ok = ok && std::fputs(comment_, file) >= 0;
      }
    }
    ok = ok && std::fputc('\n', file) != EOF;
  }
  for (const auto& child : children_) {
    ok = ok && child->Write(file);
  }
  return ToXBool(ok && !std::ferror(file));
}

int PVMFMSTree::BinWrite(FILE* file, const PVMStrg& header) const {
  if (file == nullptr || !WriteWord(file, kBinaryVersion) || !WriteString(file, header)) {
    return 0;
  }
  GENERIC_LIST<PVMFMSTree> written;
  if (!BinWrite(file, &written) || std::fflush(file) != 0 || std::ferror(file)) {
    return 0;
  }
  return written.count();
}

XBOOL PVMFMSTree::BinWrite(FILE* file, GENERIC_LIST<PVMFMSTree>* written) const {
  if (file == nullptr || written == nullptr) {
    return FALSE;
  }
  // Parent numbers count from 1; 0 says the parent is not in the file.
  int parent_number = parent_ != nullptr ? written->lookup(parent_) + 1 : 0;
  if (!WriteWord(file, static_cast<std::uint32_t>(parent_number)) || !WriteString(file, name_) ||
      !WriteString(file, info_) || !WriteString(file, comment_) ||
      !WriteString(file, preceding_comment_)) {
    return FALSE;
  }
  written->add(const_cast<PVMFMSTree*>(this));
  for (const auto& child : children_) {
    if (!child->BinWrite(file, written)) {
      return FALSE;
    }
  }
  return TRUE;
}

PVMFMSTree* PVMFMSTree::BinRead(FILE* file, PVMStrg& header) {
  if (file == nullptr) {
    return nullptr;
  }
  BinaryReader reader(file);
  std::uint32_t version = 0;
  PVMStrg read_header;
  if (reader.ReadWord(version) != BinaryReader::Result::kOk || version != kBinaryVersion ||
      !reader.ReadString(read_header)) {
    return nullptr;
  }
  std::unique_ptr<PVMFMSTree> root;
  std::vector<PVMFMSTree*> records;  // in file order; their numbers are index + 1
  std::vector<int> depths;
  for (;;) {
    std::uint32_t parent_number = 0;
    BinaryReader::Result result = reader.ReadWord(parent_number);
    if (result == BinaryReader::Result::kEnd) {
      break;
    }
    PVMStrg name, info, comment, preceding;
    if (result != BinaryReader::Result::kOk || !reader.ReadString(name) ||
        !reader.ReadString(info) || !reader.ReadString(comment) || !reader.ReadString(preceding)) {
      return nullptr;
    }
    if (records.empty() != (parent_number == 0) || parent_number > records.size()) {
      return nullptr;  // a second root, or a parent that is no earlier record
    }
    if (records.empty()) {
      root = std::make_unique<PVMFMSTree>(nullptr, name, info, comment, preceding);
      records.push_back(root.get());
      depths.push_back(0);
      continue;
    }
    int depth = depths[parent_number - 1] + 1;
    if (depth > kMaxBinaryDepth) {
      return nullptr;
    }
    records.push_back(new PVMFMSTree(records[parent_number - 1], name, info, comment, preceding));
    depths.push_back(depth);
  }
  if (!root || std::ferror(file)) {
    return nullptr;
  }
  header = read_header;
  return root.release();
}
