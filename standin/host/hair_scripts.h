// The two hair scripts that the stand-in host's script engine understands, and what they do to
// the scene: the conversion script turns every hair-and-fur modifier into a spline shape node
// that carries the hair attribute; the clean-up script deletes those shapes again.
#pragma once

#include <string>

namespace standin {

class Scene;

enum class HairScript { none, conversion, clean_up };

// Which hair script text is, comparing line by line with blanks at both ends of each line
// removed, runs of inner blanks taken as one, and empty lines skipped.
HairScript recognise_hair_script(const std::u16string& text);

// The two scripts' texts, one statement per line.
const std::u16string& hair_conversion_script();
const std::u16string& hair_clean_up_script();

// For every geometry node whose object carries a hair-and-fur modifier, in creation order: a new
// spline shape node under the root with the source node's name, one open spline per strand (the
// strand's points placed in world space at the current time, so the new node's transform is the
// identity), and the custom attribute "vistrel_hair_and_fur_data" with block "data": start and
// end radius from the root and tip thickness, the delete marker true, root and tip colour, hue
// and value variation.
void run_hair_conversion(Scene& scene);

// Deletes every shape node whose object has a custom attribute with a "vistrel_delete"
// parameter that is true.
void run_hair_clean_up(Scene& scene);

}  // namespace standin
