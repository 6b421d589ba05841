#include "DeviceInfo.h"

#include "Generator.h"

namespace virtualcard {

namespace {

// Output range 1 does not exist (one output range); its bounds read 0.
constexpr Capability Capabilities[] = {
    {1201, 2, "ScanCNT_number_of_counters"},
    {1202, 16, "ScanAI_data_resolution"},
    {1203, 16, "ScanCNT_function_resolution"},
    {1301, 1, "ScanDI_number_of_ports"},
    {1303, 16, "ScanDI_function_resolution"},
    {1501, 2, "AO_number_of_outputs"},
    {1503, 12, "AO_function_resolution"},
    {1510, 1, "AO_number_of_ranges"},
    {1511, -10.0, "AO_minimum_of_range_0"},
    {1512, 10.0, "AO_maximum_of_range_0"},
    {1513, 0.0, "AO_minimum_of_range_1"},
    {1514, 0.0, "AO_maximum_of_range_1"},
    {1701, 1, "DO_number_of_ports"},
    {1703, 8, "DO_function_resolution"},
    {2001, ScanMaxFrequency, "ScanBuffer_max_frequency"},
    {2002, ScanMinFrequency, "ScanBuffer_min_frequency"},
    {2101, 32, "ScanAI_number_of_inputs"},
    {2103, 16, "ScanAI_function_resolution"},
    {2110, RangeCount, "ScanAI_number_of_ranges"},
    {2111, -RangeFullScale[0], "ScanAI_minimum_of_range_0"},
    {2112, RangeFullScale[0], "ScanAI_maximum_of_range_0"},
    {2113, -RangeFullScale[1], "ScanAI_minimum_of_range_1"},
    {2114, RangeFullScale[1], "ScanAI_maximum_of_range_1"},
    {2115, -RangeFullScale[2], "ScanAI_minimum_of_range_2"},
    {2116, RangeFullScale[2], "ScanAI_maximum_of_range_2"},
    {2117, -RangeFullScale[3], "ScanAI_minimum_of_range_3"},
    {2118, RangeFullScale[3], "ScanAI_maximum_of_range_3"},
    {2119, -RangeFullScale[4], "ScanAI_minimum_of_range_4"},
    {2120, RangeFullScale[4], "ScanAI_maximum_of_range_4"},
    {2121, -RangeFullScale[5], "ScanAI_minimum_of_range_5"},
    {2122, RangeFullScale[5], "ScanAI_maximum_of_range_5"},
    // The generator clock can run faster than any one output's sample rate.
    {2501, 1000000.0, "DAC_max_frequency"},
    {2502, 1.0, "DAC_min_frequency"},
    {2503, DacMaxFrequency, "DAC_max_DAC_frequency"},
    {2504, DacMinFrequency, "DAC_min_DAC_frequency"},
    {2505, DacDepth, "DAC_depth"},
};

}  // namespace

const Capability* FindCapability(std::int32_t code) {
  for (const Capability& capability : Capabilities) {
    if (capability.code == code) return &capability;
  }
  return nullptr;
}

}  // namespace virtualcard
