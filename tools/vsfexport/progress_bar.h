// The host's progress display drawn as one line on a terminal: a bar, the percentage and the name
// of the node being written.
#pragma once

#include <cstdio>
#include <string>

#include "standin/host/scene.h"

namespace vsfexport {

class ProgressBar {
  public:
    // Draws on out (a terminal); nothing is drawn before the display starts.
    explicit ProgressBar(std::FILE* out) : out_(out) {}

    // Takes one call of the host's progress display. Redraws only when the shown percentage
    // changes, and clears the line when the display ends.
    void show(const standin::ProgressEvent& event);

  private:
    void draw(int percent, const std::u16string& title);

    std::FILE* out_;
    int shown_percent_ = -1;
    bool drawn_ = false;
};

}  // namespace vsfexport
