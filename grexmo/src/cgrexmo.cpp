// Placeholder until the matcher lands: plain byte search only.
#include "grexmo.h"
#include <cstring>
#include <string>

namespace grexmo {
class Matcher {
public:
    std::string pattern;
    std::string hit;
};
}

CGrexmo::CGrexmo() : matcher_(new grexmo::Matcher) {}
CGrexmo::~CGrexmo() { delete matcher_; }
void CGrexmo::Read(const char* pattern, bool) { matcher_->pattern = pattern ? pattern : ""; }
int CGrexmo::Find(const char* text, int start, bool) {
    const char* p = std::strstr(text + start, matcher_->pattern.c_str());
    if (!p) return -1;
    matcher_->hit = matcher_->pattern;
    return static_cast<int>(p - text);
}
const char* CGrexmo::GetHitText() const { return matcher_->hit.c_str(); }
bool CGrexmo::IsValid() const { return true; }
const char* CGrexmo::GetErrorText() const { return ""; }
