#include "tools/vsfexport/progress_bar.h"

#include <algorithm>

#include "platform/utf.h"

namespace vsfexport {

namespace {

constexpr int kBarWidth = 30;
constexpr std::size_t kTitleWidth = 36;

}  // namespace

void ProgressBar::show(const standin::ProgressEvent& event) {
    switch (event.kind) {
        case standin::ProgressEvent::Kind::start:
            shown_percent_ = -1;
            draw(0, event.title);
            break;
        case standin::ProgressEvent::Kind::update:
            if (event.percent != shown_percent_) {
                draw(event.percent, event.title);
            }
            break;
        case standin::ProgressEvent::Kind::end:
            if (drawn_) {
                std::fprintf(out_, "\r\033[K");
                std::fflush(out_);
                drawn_ = false;
            }
            break;
    }
}

void ProgressBar::draw(int percent, const std::u16string& title) {
    percent = std::clamp(percent, 0, 100);
    shown_percent_ = percent;
    const int filled = percent * kBarWidth / 100;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    std::string name = platform::utf16_to_utf8(title);
    if (name.size() > kTitleWidth) {
        std::size_t cut = kTitleWidth;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) {
            --cut;  // not inside a character
        }
        name.resize(cut);
    }
    std::fprintf(out_, "\r\033[K[%s] %3d%%  %s", bar.c_str(), percent, name.c_str());
    std::fflush(out_);
    drawn_ = true;
}

}  // namespace vsfexport
