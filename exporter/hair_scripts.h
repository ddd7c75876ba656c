// The two host scripts that run around every pass while hair and fur is exported: the first turns
// each hair-and-fur modifier into a temporary spline shape carrying the hair's thickness and
// colours; the second deletes those shapes again.
#pragma once

#include <string>

namespace vsf {

// Defines the "vistrel_hair_and_fur_data" attribute and converts every hair-and-fur modifier's
// hairs into a spline shape named like its object, with the attribute filled in.
const std::u16string& hair_conversion_script();

// Deletes every shape whose base object carries the "vistrel_delete" marker.
const std::u16string& hair_clean_up_script();

}  // namespace vsf
