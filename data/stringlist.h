#pragma once
// An ordered list of lines loaded from and saved to a file. Never sorted, never drops
// duplicates or empty lines.
#include "platform/text.h"

#include <cstdint>
#include <optional>
#include <vector>

class TStringList {
 public:
  // A file saved as UTF-8 or UTF-16 is turned into GB18030 first (filetext.h); a GBK or
  // GB18030 file is taken byte for byte. CR LF, a lone LF and a lone CR each end one line (LF then CR ends
  // two); a final line break adds no empty line; a zero byte ends everything. Throws
  // EFOpenError (the list keeps its lines).
  void LoadFromFile(const Text& ansiPath);
  // After a load: the message for a file whose Unicode mark did not fit its bytes and that
  // was read as it stands, or nothing.
  const std::optional<Text>& loadNotice() const { return notice_; }
  // Every line followed by CR LF. The write is atomic: on any failure (EFCreateError,
  // EWriteError) the previous file stays exactly as it was.
  void SaveToFile(const Text& ansiPath) const;

  // Throws EStringListError "List index out of bounds (%d)".
  const Text& Get(std::int32_t index) const;
  std::int32_t Add(const Text& line);
  std::int32_t Count() const { return static_cast<std::int32_t>(lines_.size()); }

  // The file form of the list (lines joined and ended by CR LF) and its inverse.
  Text ToBytes() const;
  void FromBytes(const Text& bytes);

  const std::vector<Text>& lines() const { return lines_; }

 private:
  std::vector<Text> lines_;
  std::optional<Text> notice_;
};
