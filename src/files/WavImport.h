// Importing a RIFF WAVE sound file into the waveform store: one channel per
// sound channel, the samples as their integer (or float) values.
#pragma once

#include <cstdint>
#include <string>

namespace state {
struct Program;
}

namespace files {

class InputFile;

// The format and the place of the samples, found by walking the chunks.
struct WavLayout {
  int tag = 0;       // 1 integer PCM, 3 IEEE float (an extensible file's subformat)
  int channels = 0;  // in the file (up to 65535)
  uint32_t rate = 0;
  int bits = 0;            // of the container
  int validBits = 0;       // of the value, left-justified in the container
  int bytes = 0;           // per sample: 1 (unsigned), 2, 3, 4 (signed, or float), 8 (float)
  bool bigEndian = false;  // "RIFX"
  long long dataStart = 0;
  long long dataClaimed = 0;  // the data chunk's own size
  long long dataBytes = 0;    // cut to what the file holds
  std::string problem;        // why the file cannot be imported
  std::string problemCz;      // the same in Czech
};

enum class WavCheck { Ok, NotWave, BadFormat };

// Reads the RIFF (or big-endian RIFX) header and walks the chunks to "fmt "
// and "data". Chunks of odd size are followed by their pad byte, unless the
// file plainly lacks it; a size running past the end of the file is cut
// there. NotWave: no RIFF/WAVE, a format or data chunk missing or
// truncated. BadFormat: read, but nothing this program can import (no
// channel, rate 0, integers outside 1..32 bits, float not of 32 or 64
// bits, a compressed format). `problem` says which.
WavCheck ReadWavLayout(InputFile& in, WavLayout& layout);

// `TMainWindow::Read_WAV`: the open dialog when no name is given (cancel
// answers 0), the format notice 1370, and the import: channel k of the file
// becomes channel k (`Step` 1 / rate, `Name` "WAV file"), each sample as the
// value of its valid bits (8 bits and less unsigned). More channels than
// the store has: the first 128, with a notice. More frames than the store
// holds: the beginning, and 1309. Data that ends before its chunk says: the
// whole frames there, with a notice. A file that is not an importable WAV
// is refused with a message naming the reason, the store as it was.
[[nodiscard]] int Read_WAV(state::Program& p, const std::string& nameOrEmpty);

}  // namespace files
