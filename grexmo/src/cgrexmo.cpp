// The exported class: forwards to grexmo::Matcher and keeps every exception inside.
#include "grexmo/grexmo.h"

#include "matcher.h"

namespace {

grexmo::Matcher* NewMatcher() noexcept {
    try {
        return new grexmo::Matcher;
    } catch (...) {
        return nullptr;
    }
}

}  // namespace

CGrexmo::CGrexmo() : matcher_(NewMatcher()) {}

CGrexmo::~CGrexmo() { delete matcher_; }

void CGrexmo::Read(const char* pattern, bool isRegex) { Read(pattern, isRegex, kGrexmoFoldNone); }

void CGrexmo::Read(const char* pattern, bool isRegex, unsigned folds) {
    if (!matcher_) matcher_ = NewMatcher();
    if (!matcher_) return;
    try {
        matcher_->Compile(pattern, isRegex, folds);
    } catch (...) {
        matcher_->FailOutOfMemory();
    }
}

int CGrexmo::Find(const char* text, int start, bool) {
    if (!matcher_) return -1;
    try {
        return matcher_->Find(text, start);
    } catch (...) {
        return -1;
    }
}

const char* CGrexmo::GetHitText() const { return matcher_ ? matcher_->HitText() : ""; }

bool CGrexmo::IsValid() const { return matcher_ && matcher_->IsValid(); }

const char* CGrexmo::GetErrorText() const {
    return matcher_ ? matcher_->ErrorText() : "out of memory";
}
