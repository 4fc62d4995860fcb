#include "preview_pane.h"

#include <commctrl.h>
#include <richedit.h>

#include <atomic>
#include <utility>

#include "app/preview_line.h"
#include "quelbrix_engine.h"
#include "window_dpi.h"

namespace quelbrix {

namespace {

constexpr UINT_PTR kSubclassId = 1;
// Enough lines to read a file's hits at a glance; a note tells how many more there are.
constexpr std::size_t kMostShownLines = 1000;
// A line's text beyond this is cut: a file of one long line stays quick to show.
constexpr std::size_t kMostLineBytes = 1024;
constexpr int kPreviewPoints = 10;
constexpr char kPreviewFace[] = "ＭＳ ゴシック";
constexpr long kMostControlCharacters = 8 * 1024 * 1024;

constexpr COLORREF kHeaderColour = RGB(0, 0, 128);
constexpr COLORREF kQuietColour = RGB(128, 128, 128);
constexpr COLORREF kHitBack = RGB(255, 236, 120);
constexpr COLORREF kNoteColour = RGB(160, 0, 0);

enum class Look { kHeader, kMargin, kContext, kHit, kNote };

std::string EncodingName(int encoding) {
    switch (encoding) {
    case QUELBRIX_ENCODING_ASCII:
        return "ASCII";
    case QUELBRIX_ENCODING_JIS:
        return "ISO-2022-JP";
    case QUELBRIX_ENCODING_SJIS:
        return "Shift_JIS";
    case QUELBRIX_ENCODING_EUC:
        return "EUC-JP";
    case QUELBRIX_ENCODING_UTF16LE:
        return "UTF-16LE";
    case QUELBRIX_ENCODING_UTF16BE:
        return "UTF-16BE";
    case QUELBRIX_ENCODING_UTF8:
        return "UTF-8";
    case QUELBRIX_ENCODING_UTF7:
        return "UTF-7";
    case QUELBRIX_ENCODING_BINARY:
        return "バイナリ";
    default:
        return "文字コード不明";
    }
}

// The one line shown in place of the hit lines of a file that cannot be shown.
const char* FailureText(int status) {
    switch (status) {
    case QUELBRIX_HITLINES_NOT_OPENED:
        return "このファイルを開けません。削除されたか、ほかのプログラムが使用しています。";
    case QUELBRIX_HITLINES_NOT_READ:
        return "このファイルを読み込めません。";
    case QUELBRIX_HITLINES_NO_MEMORY:
        return "メモリが足りないため、このファイルを表示できません。";
    case QUELBRIX_HITLINES_NOT_CONVERTED:
        return "このファイルの文字コードを変換できません。";
    case QUELBRIX_HITLINES_BAD_PATTERN:
        return "検索語の正規表現に誤りがあるため表示できません。";
    default:
        return "このファイルを表示できません。";
    }
}

// The rich edit class, loaded once for the life of the process: a control of it may exist
// until the very end, so the library is never unloaded.
const wchar_t* RichEditClass() {
    static const wchar_t* const name = [] {
        if (LoadLibraryA("Msftedit.dll") != nullptr) return L"RICHEDIT50W";
        if (LoadLibraryA("riched20.dll") != nullptr) return L"RichEdit20W";
        return static_cast<const wchar_t*>(nullptr);
    }();
    return name;
}

void AppendWide(std::wstring& out, const std::string& sjis) {
    if (sjis.empty()) return;
    const int length = static_cast<int>(sjis.size());
    const int wide = MultiByteToWideChar(932, 0, sjis.data(), length, nullptr, 0);
    if (wide <= 0) return;
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(wide));
    MultiByteToWideChar(932, 0, sjis.data(), length, &out[at], wide);
}

CHARFORMAT2W FormatOf(Look look) {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR | CFM_BOLD | CFM_BACKCOLOR;
    format.dwEffects = CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR;
    switch (look) {
    case Look::kHeader:
        format.dwEffects = CFE_BOLD | CFE_AUTOBACKCOLOR;
        format.crTextColor = kHeaderColour;
        break;
    case Look::kMargin:
    case Look::kContext:
        format.dwEffects = CFE_AUTOBACKCOLOR;
        format.crTextColor = kQuietColour;
        break;
    case Look::kHit:
        format.dwEffects = CFE_BOLD | CFE_AUTOCOLOR;
        format.crBackColor = kHitBack;
        break;
    case Look::kNote:
        format.dwEffects = CFE_AUTOBACKCOLOR;
        format.crTextColor = kNoteColour;
        break;
    }
    return format;
}

class ExclusiveLock {
public:
    explicit ExclusiveLock(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock_); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;

private:
    SRWLOCK& lock_;
};

}  // namespace

// What a reader hands the window: the encoding, a line, or the end of the file.
struct PreviewItem {
    enum class Kind { kEncoding, kLine, kEnd };
    Kind kind = Kind::kEnd;
    std::uint32_t number = 0;  // kLine: the file's line
    PreviewLine line;          // kLine
    int encoding = 0;          // kEncoding
    bool converted = false;    // kEncoding
    int result = 0;            // kEnd: hits, or a QUELBRIX_HITLINES_ error
    std::size_t moreLines = 0; // kEnd: hit lines read beyond the shown ones
};

// One file read by one reader thread. The request is fixed before the thread starts; the
// window and the reader share only `ready`, `posted` (under `lock`) and the two flags.
struct PreviewJob {
    HWND window = nullptr;
    std::string path;
    PreviewSearch search;
    int contextLines = 0;

    std::atomic<bool> cancelled{false};
    std::atomic<bool> finished{false};
    SRWLOCK lock = SRWLOCK_INIT;
    std::vector<PreviewItem> ready;
    bool posted = false;  // a message is on its way and the window has not taken the items

    // The reader's own counts.
    std::size_t shownLines = 0;
    std::size_t moreLines = 0;
};

namespace {

void Deliver(PreviewJob& job, PreviewItem item) {
    bool post = false;
    {
        ExclusiveLock hold(job.lock);
        job.ready.push_back(std::move(item));
        post = !job.posted;
        job.posted = true;
    }
    if (post && !PostMessageA(job.window, kPreviewLinesMessage, 0, 0)) {
        ExclusiveLock hold(job.lock);
        job.posted = false;  // the window is gone or its queue full: the next item tries again
    }
}

BOOL CALLBACK OnHitLine(const QUELBRIX_HIT_LINE* line, LPVOID context) {
    auto& job = *static_cast<PreviewJob*>(context);
    if (job.cancelled.load()) return FALSE;
    // Nothing may be thrown back into the engine.
    try {
        PreviewItem item;
        if (line->kind == QUELBRIX_LINE_ENCODING) {
            item.kind = PreviewItem::Kind::kEncoding;
            item.encoding = line->encoding;
            item.converted = line->converted != 0;
            Deliver(job, std::move(item));
            return TRUE;
        }
        if (job.shownLines >= kMostShownLines) {
            if (line->kind == QUELBRIX_LINE_HIT) ++job.moreLines;
            return TRUE;
        }
        std::vector<TextRange> hits(line->hitCount);
        for (DWORD i = 0; i < line->hitCount; ++i) hits[i] = {line->hits[i].start, line->hits[i].end};
        item.kind = PreviewItem::Kind::kLine;
        item.number = line->lineNumber;
        item.line = FormatPreviewLine(line->lineNumber, line->kind == QUELBRIX_LINE_CONTEXT,
                                      line->text, line->length, hits.data(), hits.size(),
                                      kMostLineBytes);
        ++job.shownLines;
        Deliver(job, std::move(item));
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

DWORD WINAPI ReadPreview(LPVOID parameter) {
    std::unique_ptr<std::shared_ptr<PreviewJob>> holder(
        static_cast<std::shared_ptr<PreviewJob>*>(parameter));
    PreviewJob& job = **holder;
    try {
        QUELBRIX_HIT_LINE_OPTIONS options{};
        options.size = sizeof options;
        options.word = job.search.word.c_str();
        options.useRegex = job.search.useRegex;
        options.ignoreCase = job.search.folds.ignoreCase;
        options.ignoreWidth = job.search.folds.ignoreWidth;
        options.ignoreKana = job.search.folds.ignoreKana;
        options.convertCodes = job.search.convertCodes;
        options.convertUtf8Files = job.search.convertUtf8;
        options.contextLines = job.contextLines;
        PreviewItem end;
        end.result = QuelbrixGetHitLines(job.path.c_str(), &options, OnHitLine, &job);
        end.moreLines = job.moreLines;
        if (!job.cancelled.load()) Deliver(job, std::move(end));
    } catch (...) {
        // Out of memory for the last item: the pane shows what it has.
    }
    job.finished.store(true);
    return 0;
}

}  // namespace

struct PreviewPane::Run {
    long start;
    long end;
    Look look;
};

PreviewPane::PreviewPane() = default;

PreviewPane::~PreviewPane() {
    if (current_) current_->cancelled.store(true);
    for (Reader& reader : readers_) {
        reader.job->cancelled.store(true);
        WaitForSingleObject(reader.thread.Get(), INFINITE);
    }
}

bool PreviewPane::Create(HWND owner, int id, HWND previous, OpenLineHandler openLine) {
    const wchar_t* className = RichEditClass();
    if (className == nullptr) return false;
    owner_ = owner;
    openLine_ = std::move(openLine);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL |
                        ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                        ES_NOHIDESEL;
    control_ = CreateWindowExW(WS_EX_CLIENTEDGE, className, L"", style, 0, 0, 0, 0, owner,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
    if (control_ == nullptr) return false;
    SetWindowPos(control_, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(control_, EM_SETTARGETDEVICE, 0, 1);  // no wrapping: a paragraph is a line
    SendMessageW(control_, EM_EXLIMITTEXT, 0, kMostControlCharacters);
    SetWindowSubclass(control_, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    ApplyDpi(WindowDpi(owner));
    return true;
}

void PreviewPane::ApplyDpi(UINT dpi) {
    if (control_ == nullptr) return;
    GdiObject font(CreateFontA(-MulDiv(kPreviewPoints, static_cast<int>(dpi), 72), 0, 0, 0,
                               FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               FIXED_PITCH | FF_MODERN, kPreviewFace));
    if (!font.Valid()) return;
    SendMessageW(control_, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    font_ = std::move(font);  // the old font is freed only once the control no longer has it
}

void PreviewPane::Retire() {
    if (!current_) return;
    current_->cancelled.store(true);
    current_.reset();
}

void PreviewPane::ReapFinished() {
    for (std::size_t i = 0; i < readers_.size();) {
        if (WaitForSingleObject(readers_[i].thread.Get(), 0) == WAIT_OBJECT_0) {
            readers_.erase(readers_.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

void PreviewPane::Clear() {
    Retire();
    ReapFinished();
    // Rows added during a search ask for the preview too; an empty pane stays as it is.
    if (path_.empty() && length_ == 0) return;
    path_.clear();
    length_ = 0;
    paragraphLines_.clear();
    headerEnd_ = 0;
    lastLine_ = 0;
    if (control_ != nullptr) SetWindowTextW(control_, L"");
}

void PreviewPane::Show(const std::string& path, const PreviewSearch& search, int contextLines) {
    if (control_ == nullptr) return;
    if (path == path_ && search.word == search_.word && search.useRegex == search_.useRegex &&
        search.folds == search_.folds && search.convertCodes == search_.convertCodes &&
        search.convertUtf8 == search_.convertUtf8 && contextLines == contextLines_) {
        return;
    }
    Clear();
    path_ = path;
    search_ = search;
    contextLines_ = contextLines;

    auto job = std::make_shared<PreviewJob>();
    job->window = owner_;
    job->path = path;
    job->search = search;
    job->contextLines = contextLines;
    auto* handed = new std::shared_ptr<PreviewJob>(job);
    Reader reader;
    reader.thread.Reset(CreateThread(nullptr, 0, ReadPreview, handed, 0, nullptr));
    if (!reader.thread.Valid()) {
        delete handed;
        std::wstring text;
        AppendWide(text, path + "\r" + FailureText(QUELBRIX_HITLINES_NO_MEMORY));
        Append(text, {});
        return;
    }
    reader.job = job;
    readers_.push_back(std::move(reader));
    current_ = std::move(job);
}

void PreviewPane::TakeLines() {
    if (!current_ || control_ == nullptr) return;
    std::vector<PreviewItem> items;
    {
        ExclusiveLock hold(current_->lock);
        items.swap(current_->ready);
        current_->posted = false;
    }
    std::wstring text;
    std::vector<Run> runs;
    // Each paragraph after the first starts with a paragraph mark.
    auto startParagraph = [&](std::uint32_t fileLine) {
        if (!paragraphLines_.empty()) text += L'\r';
        paragraphLines_.push_back(fileLine);
    };
    auto add = [&](const std::string& sjis, Look look, bool format) {
        const long start = length_ + static_cast<long>(text.size());
        AppendWide(text, sjis);
        if (format) runs.push_back({start, length_ + static_cast<long>(text.size()), look});
    };

    int result = 0;
    bool ended = false;
    std::size_t moreLines = 0;
    for (PreviewItem& item : items) {
        switch (item.kind) {
        case PreviewItem::Kind::kEncoding: {
            startParagraph(0);
            std::string header = path_ + "　" + EncodingName(item.encoding);
            if (item.converted) header += "（Shift_JIS に変換）";
            add(header, Look::kHeader, true);
            headerEnd_ = length_ + static_cast<long>(text.size());
            break;
        }
        case PreviewItem::Kind::kLine: {
            if (contextLines_ > 0 && lastLine_ != 0 && item.number > lastLine_ + 1) {
                startParagraph(0);
                add("    --", Look::kMargin, true);
            }
            lastLine_ = item.number;
            startParagraph(item.number);
            const PreviewLine& line = item.line;
            add(line.text.substr(0, line.marginBytes), Look::kMargin, true);
            // Hits are found in the Shift_JIS text; their places in the control are counted
            // in characters, so each piece is converted on its own.
            std::size_t at = line.marginBytes;
            for (const TextRange& hit : line.hits) {
                add(line.text.substr(at, hit.start - at), Look::kContext, line.context);
                add(line.text.substr(hit.start, hit.end - hit.start), Look::kHit, true);
                at = hit.end;
            }
            add(line.text.substr(at), Look::kContext, line.context);
            break;
        }
        case PreviewItem::Kind::kEnd:
            ended = true;
            result = item.result;
            moreLines = item.moreLines;
            break;
        }
    }
    if (ended) {
        if (result < 0) {
            if (paragraphLines_.empty()) {
                startParagraph(0);
                add(path_, Look::kHeader, true);
            }
            startParagraph(0);
            add(FailureText(result), Look::kNote, true);
        } else if (paragraphLines_.size() <= 1) {
            startParagraph(0);
            add("検索語を含む行はありません（ファイルが変更された可能性があります）。",
                Look::kNote, true);
        } else if (moreLines > 0) {
            startParagraph(0);
            add("…ほかに " + std::to_string(moreLines) + " 行あります（先頭の " +
                    std::to_string(kMostShownLines) + " 行を表示しています）。",
                Look::kNote, true);
        }
    }
    if (!text.empty()) Append(text, runs);
    if (ended && result >= 0 && headerEnd_ > 0) {
        // The count is known only at the end; it joins the header.
        std::wstring count;
        AppendWide(count, "　" + std::to_string(result) + " 件");
        const long at = headerEnd_;
        CHARRANGE place{at, at};
        SendMessageW(control_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&place));
        CHARFORMAT2W format = FormatOf(Look::kHeader);
        SendMessageW(control_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        SendMessageW(control_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(count.c_str()));
        length_ += static_cast<long>(count.size());
        CHARRANGE home{0, 0};
        SendMessageW(control_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&home));
    }
    if (ended) {
        current_.reset();
        ReapFinished();
    }
}

void PreviewPane::Append(const std::wstring& text, const std::vector<Run>& runs) {
    SendMessageW(control_, WM_SETREDRAW, FALSE, 0);
    CHARRANGE keep{};
    SendMessageW(control_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&keep));
    POINT scroll{};
    SendMessageW(control_, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));

    CHARRANGE end{length_, length_};
    SendMessageW(control_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    CHARFORMAT2W plain = FormatOf(Look::kContext);
    plain.dwEffects = CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR;
    SendMessageW(control_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&plain));
    SendMessageW(control_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    for (const Run& run : runs) {
        CHARRANGE range{run.start, run.end};
        SendMessageW(control_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        CHARFORMAT2W format = FormatOf(run.look);
        SendMessageW(control_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    }
    GETTEXTLENGTHEX count{GTL_NUMCHARS | GTL_PRECISE, 1200};
    const LRESULT length = SendMessageW(control_, EM_GETTEXTLENGTHEX,
                                        reinterpret_cast<WPARAM>(&count), 0);
    length_ = length > 0 ? static_cast<long>(length) : length_ + static_cast<long>(text.size());

    SendMessageW(control_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&keep));
    SendMessageW(control_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
    SendMessageW(control_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(control_, nullptr, TRUE);
}

void PreviewPane::OpenLineAtCaret() const {
    if (!openLine_ || path_.empty()) return;
    CHARRANGE caret{};
    SendMessageW(control_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    const LRESULT paragraph = SendMessageW(control_, EM_EXLINEFROMCHAR, 0, caret.cpMin);
    if (paragraph < 0 || paragraphLines_.empty()) return;
    // The header and notes open the file at the nearest line below, or else above them.
    std::size_t at = static_cast<std::size_t>(paragraph);
    if (at >= paragraphLines_.size()) at = paragraphLines_.size() - 1;
    std::uint32_t line = 0;
    for (std::size_t i = at; i < paragraphLines_.size() && line == 0; ++i) line = paragraphLines_[i];
    for (std::size_t i = at + 1; i-- > 0 && line == 0;) line = paragraphLines_[i];
    if (line != 0) openLine_(path_, line);
}

LRESULT CALLBACK PreviewPane::Procedure(HWND control, UINT message, WPARAM first, LPARAM second,
                                        UINT_PTR, DWORD_PTR self) {
    auto& pane = *reinterpret_cast<PreviewPane*>(self);
    switch (message) {
    case WM_GETDLGCODE: {
        LRESULT code = DefSubclassProc(control, message, first, second);
        // Tab and Escape stay the dialog's; Enter is the pane's (it opens the line); tabbing
        // in does not select everything.
        code &= ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_HASSETSEL);
        const MSG* key = reinterpret_cast<const MSG*>(second);
        if (key != nullptr && (key->message == WM_KEYDOWN || key->message == WM_CHAR)) {
            if (key->wParam == VK_TAB || key->wParam == VK_ESCAPE) {
                code &= ~static_cast<LRESULT>(DLGC_WANTMESSAGE | DLGC_WANTALLKEYS);
            } else if (key->wParam == VK_RETURN) {
                code |= DLGC_WANTALLKEYS;
            }
        }
        return code;
    }
    case WM_KEYDOWN:
        if (first == VK_RETURN) {
            pane.OpenLineAtCaret();
            return 0;
        }
        break;
    case WM_CHAR:
        if (first == '\r' || first == '\n') return 0;
        break;
    case WM_LBUTTONDBLCLK: {
        const LRESULT answer = DefSubclassProc(control, message, first, second);
        pane.OpenLineAtCaret();
        return answer;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(control, Procedure, kSubclassId);
        pane.control_ = nullptr;
        break;
    default:
        break;
    }
    return DefSubclassProc(control, message, first, second);
}

}  // namespace quelbrix
