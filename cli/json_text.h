// Pieces of JSON text: strings, base64, and the {"text":...} / {"bytes":...} form that says
// whether a value could be given as UTF-8.
#ifndef QUELBRIX_CLI_JSON_TEXT_H
#define QUELBRIX_CLI_JSON_TEXT_H

#include <cstddef>
#include <string>

namespace quelbrix {

// `utf8` as a JSON string, quotes included: '"' and '\' escaped, \n \r \t \b \f by name and
// every other control character as \u00XX. The bytes are taken to be UTF-8.
void AppendJsonString(std::string& out, const char* utf8, std::size_t length);

// Standard base64 (RFC 4648) with '=' padding.
void AppendBase64(std::string& out, const char* bytes, std::size_t length);

// {"text":"..."} for UTF-8 text, {"bytes":"<base64>"} for raw bytes.
void AppendJsonText(std::string& out, const char* utf8, std::size_t length);
void AppendJsonBytes(std::string& out, const char* bytes, std::size_t length);

}  // namespace quelbrix

#endif
