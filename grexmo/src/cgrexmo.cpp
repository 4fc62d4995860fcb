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

long long CGrexmo::FindIn(const char* text, std::size_t length, std::size_t start) {
    if (!matcher_) return -1;
    try {
        return matcher_->FindIn(text, length, start);
    } catch (...) {
        return -1;
    }
}

long long CGrexmo::Count(const char* text, std::size_t length) {
    if (!matcher_) return 0;
    try {
        return matcher_->Count(text, length);
    } catch (...) {
        return 0;
    }
}

std::size_t CGrexmo::FindHits(const char* text, std::size_t length, std::size_t* start,
                              GrexmoHit* hits, std::size_t capacity) {
    if (!matcher_) return 0;
    try {
        return matcher_->FindHits(text, length, start, hits, capacity);
    } catch (...) {
        return 0;
    }
}

const char* CGrexmo::GetHitText() const { return matcher_ ? matcher_->HitText() : ""; }

bool CGrexmo::IsValid() const { return matcher_ && matcher_->IsValid(); }

const char* CGrexmo::GetErrorText() const {
    return matcher_ ? matcher_->ErrorText() : "out of memory";
}
