// Power-of-two tests of lengths, as the padding, reading and transform code
// needs them.
#pragma once

namespace dsp {

// `JeMocninaDvou`: 1 when n is one of 8, 16, … 2^30 (1, 2 and 4 are too short
// for the padding that asks), else 0.
int JeMocninaDvou(long long n);

// `NejblizsiMocdvou`: the power of two nearest to n, at least 4; a tie goes
// up (6 gives 8).
long long NejblizsiMocdvou(long long n);

// `DelkaJeMocDvou`: 1 when n is a power of two from 1 to 2^30, else 0.
int DelkaJeMocDvou(long long n);

}  // namespace dsp
