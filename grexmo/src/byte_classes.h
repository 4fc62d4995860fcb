// The byte classes of a compiled program: bytes that no instruction, no part of the
// character model and no assertion tells apart share a class, so an automaton over the
// program keeps one transition per class rather than per byte.
#ifndef GREXMO_BYTE_CLASSES_H
#define GREXMO_BYTE_CLASSES_H

#include "prog.h"

#include <cstdint>

namespace grexmo {

// Fills `classOf` with each byte's class, numbered from 0, and answers how many there are.
// A double-byte character's membership in a class follows from the classes of its two
// bytes, as every range limit is split on; the zero byte has a class of its own.
int ComputeByteClasses(const Prog& prog, std::uint8_t (&classOf)[256]);

// Whether `inst` consumes the character `code`.
inline bool Consumes(const Prog& prog, const Inst& inst, CharCode code) {
    if (inst.op == Op::kChar) return inst.code == code;
    return inst.op == Op::kClass && prog.classes[inst.classIndex].Contains(code);
}

}  // namespace grexmo

#endif
