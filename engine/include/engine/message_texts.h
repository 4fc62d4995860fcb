// The texts of the engine's string table, for platforms without resources (the host build)
// and for checking the Windows resources against.
#ifndef QUELBRIX_MESSAGE_TEXTS_H
#define QUELBRIX_MESSAGE_TEXTS_H

namespace quelbrix {

// The Shift_JIS text of string `id`, or null when there is none.
const char* EngineMessageText(int id);

}  // namespace quelbrix

#endif
