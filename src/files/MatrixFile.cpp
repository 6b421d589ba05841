#include "files/MatrixFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "files/AtomicFile.h"

namespace files {

bool WriteMatrixFile(const std::string& path, const store::Mat_s& header, const float* values) {
  if (header.Rows <= 0 || header.Columns <= 0 || !values) return false;
  AtomicWriter out;
  if (!out.Open(path)) return false;
  (void)out.Write(&header, sizeof header);
  (void)out.Write(values, size_t(header.Rows) * size_t(header.Columns) * sizeof(float));
  return out.Commit();
}

MatrixFileStatus ReadMatrixFile(const std::string& path, store::Mat_s& header, std::vector<float>& values) {
  InputFile in(path);
  if (!in) return MatrixFileStatus::CannotOpen;
  store::Mat_s head;
  if (!in.Read(&head, sizeof head)) return MatrixFileStatus::SizeMismatch;
  if (head.Rows <= 0 || head.Columns <= 0) return MatrixFileStatus::BadCounts;
  const int64_t count = int64_t(head.Rows) * head.Columns;
  if (count > kMaxMatrixValues) return MatrixFileStatus::TooLarge;
  // A known size is checked before any memory is taken; an unknown one is
  // caught by reading, since the values arrive in chunks of what is there.
  const long size = in.Size();
  if (size >= 0 && int64_t(size) != int64_t(kMatrixHeaderBytes) + 4 * count)
    return MatrixFileStatus::SizeMismatch;
  std::vector<float> read;
  constexpr int64_t kChunk = 1 << 16;
  for (int64_t done = 0; done < count;) {
    const int64_t n = std::min(kChunk, count - done);
    read.resize(size_t(done + n));
    if (!in.Read(read.data() + done, size_t(n) * sizeof(float))) return MatrixFileStatus::SizeMismatch;
    done += n;
  }
  if (std::fgetc(in.file()) != EOF) return MatrixFileStatus::SizeMismatch;
  for (float v : read)
    if (!std::isfinite(v)) return MatrixFileStatus::NotANumber;
  header = head;
  values = std::move(read);
  return MatrixFileStatus::Ok;
}

}  // namespace files
