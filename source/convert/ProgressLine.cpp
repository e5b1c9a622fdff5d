// The progress line: a carriage return and the terminal's erase-line code rewrite it in place.
// It is only ever written to a terminal, where those codes are understood.
#include "convert/ProgressLine.h"

ProgressLine::ProgressLine(std::FILE* stream, int total, bool enabled)
    : stream_(stream), total_(total), enabled_(enabled) {}

void ProgressLine::show(int number, const std::string& name) {
    if (!enabled_) return;
    std::fprintf(stream_, "\r\033[K[%d/%d] %s", number, total_, name.c_str());
    std::fflush(stream_);
    shown_ = true;
}

void ProgressLine::clear() {
    if (!shown_) return;
    std::fputs("\r\033[K", stream_);
    std::fflush(stream_);
    shown_ = false;
}
