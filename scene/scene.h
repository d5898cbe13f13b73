// The scene document library: a scene file ("LWSC" text) held in memory as a
// doubly linked list of its lines, in file order, with the edits that add
// object blocks, parents, motion keys and dissolve envelopes.
//
// Every line holds its bytes exactly as read, newline included, so a document
// read and written back without edits reproduces its file byte for byte.
//
// Ownership: a document owns its lines and each line owns its text. A line or
// text made by this library belongs to its caller until it is linked into a
// document (or stored in a line's `text`). Documents end with freeScene.
//
// Failure is reported by null, zero or false results; nothing is thrown and
// nothing is printed. No global state: each call works on what it is given.
// Numbers are written and read as the C locale writes and reads them,
// whatever locale the process has set.

#ifndef QUORVEL_SCENE_SCENE_H_
#define QUORVEL_SCENE_SCENE_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// Size of the fixed work buffers: texts of at most 255 bytes and their NUL.
inline constexpr std::size_t SCENE_BUFFER_SIZE = 256;

// The class of a line, by the keyword its text begins with.
enum LineKind : std::int8_t {
  LINE_HEADER = 0,    // "LWSC"
  LINE_OBJECT = 1,    // "AddNullObject" or "LoadObject"
  LINE_AMBIENT = 2,   // "AmbientColor"
  LINE_CAMERA = 3,    // "ShowCamera"
  LINE_BACKDROP = 4,  // "SolidBackdrop"
  LINE_RENDER = 5,    // "RenderMode"
  LINE_VIEW = 6,      // "ViewMode"
  LINE_OTHER = 7,     // anything else, empty lines included
};

// One line of a document.
struct SceneLine {
  char* text;        // NUL-terminated heap text, owned by this line
  SceneLine* prev;   // null for the first line
  SceneLine* next;   // null for the last line
  LineKind kind;     // as of the last classifyLines
  std::int32_t objectNumber;  // 1-based among object lines; 0 if never one
};

// One document: its lines from `first` to `last` (both null when empty).
struct SceneDocument {
  SceneLine* first;
  SceneLine* last;
  std::int32_t nextObjectNumber;  // one more than the object lines counted
};

// ---------------------------------------------------------------------------
// Reading, writing and releasing

// Reads the file at `path` into a new classified document, owned by the
// caller. Returns null when the file cannot be opened or read, holds a NUL
// byte, or memory runs out; nothing is left allocated and the file is closed.
SceneDocument* readScene(const char* path);

// What opening a scene found (openSceneFile, openSceneText).
enum class SceneOpenResult {
  OPENED,          // the scene was read, and it begins with "LWSC"
  UNREADABLE,      // the file cannot be opened or read, or is a directory
  NUL_BYTE,         // it holds a NUL byte, so it is not text
  NO_MEMORY,     // there is not enough memory to hold it
  BYTE_ORDER_MARK,   // a UTF-8 byte-order mark stands before "LWSC"
  CR_ONLY_LINE_ENDS,  // its lines end with CR alone, so it reads as one line
  NOT_A_SCENE,       // it does not begin with "LWSC"
};

// Reads the scene file at `path` (our addition to readScene, which it
// leaves as it is), and says why when it is no scene the host reads. On
// OPENED sets *document to a new classified document owned by the caller
// (release it with freeScene). Otherwise leaves *document alone, allocates
// nothing, and sets *reason to words that follow "cannot read FILE: ":
//   UNREADABLE      the system's reason ("No such file or directory"),
//                    "a read failed: " and the system's reason, or "it is a
//                    directory"
//   NUL_BYTE         "it holds a NUL byte at offset N, so it is not text",
//                    N the first NUL's offset from 0
//   NO_MEMORY     "there is not enough memory to hold it"
//   BYTE_ORDER_MARK   "it begins with a UTF-8 byte-order mark (EF BB BF)
//                    before "LWSC"; the host reads scenes without one"
//   NOT_A_SCENE       "it does not begin with "LWSC"" (an empty scene too)
//   CR_ONLY_LINE_ENDS  "it ends its lines with CR alone (classic Mac OS); the
//                    host reads lines that end with LF or CR LF" (a scene
//                    that begins with "LWSC" and a CR that no LF follows)
// The checks come in that order. REQUIRES non-null arguments.
SceneOpenResult openSceneFile(const char* path, SceneDocument** document, std::string* reason);

// As openSceneFile, of a scene's bytes already in memory (read from a pipe
// or standard input, say): nothing is written to a file, and `bytes` are
// not kept. Never UNREADABLE.
SceneOpenResult openSceneText(std::string_view bytes, SceneDocument** document,
                              std::string* reason);

// The next piece of `stream` as a new heap text owned by the caller: the
// bytes up to and including the next newline, but at most 255 bytes. Null at
// the end of the stream, on a read error, on a NUL byte in the piece, or when
// memory runs out; the bytes of a piece that failed are consumed.
char* readTextLine(std::FILE* stream);

// Writes every line's text verbatim to `path` (a binary stream), replacing
// the file whole or not at all (see file_replace/file_replace.h). Returns
// true when the whole document was written and took the file's place;
// false when the file cannot be opened or a write or the close fails, any
// previous file then left as it was.
bool writeScene(const SceneDocument* document, const char* path);

// Writes `text` verbatim to `stream`; returns `text`.
const char* writeText(std::FILE* stream, const char* text);

// Gives back the document, its lines and their texts. Null is allowed.
void freeScene(SceneDocument* document);

// Links `line` after the document's last line, updating `last` (and `first`
// when the document is empty). The document owns the line from then on.
void appendLine(SceneDocument* document, SceneLine* line);

// ---------------------------------------------------------------------------
// Classification and searches

// Sets every line's kind, numbers the object lines 1, 2, ... in file order
// and sets nextObjectNumber to one more than their count.
void classifyLines(SceneDocument* document);

// 0 when `text` begins with `keyword`, 1 otherwise. The empty keyword
// matches every text.
int compareKeyword(const char* text, const char* keyword);

// The first line from `start` onward (start included) whose text begins with
// `keyword`; null when none or when `start` is null.
SceneLine* findLine(SceneLine* start, const char* keyword);

// As findLine, but the walk ends with null on reaching `stop`, which is not
// examined. A null `stop`, or one not after `start`, lets it run to the end.
SceneLine* findLineBefore(SceneLine* start, SceneLine* stop, const char* keyword);

// The text after the first blank of `text` (newline included), pointing into
// `text`; null when `text` has no blank.
const char* argumentOf(const char* text);

// Copies the line's argument text (see argumentOf) with its NUL into
// `buffer`, which REQUIRES room for SCENE_BUFFER_SIZE bytes, and returns
// `buffer`. Null when the text has no blank, or when the argument is longer
// than 255 bytes; the buffer is then not written.
char* lineArgument(const SceneLine* line, char* buffer);

// The ordinal-th object line (1-based) whose argument begins with `name`;
// null when there is none, when ordinal < 1, or when an object line without
// a blank comes first.
SceneLine* findObjectLine(SceneDocument* document, const char* name, int ordinal);

// The line directly before the first LINE_AMBIENT line; null when there is
// none or it is the first line.
SceneLine* objectInsertPoint(SceneDocument* document);

// Links `newLine` directly after `line`. When `line` has no successor the
// new line simply becomes its successor; the document's `last` is then the
// caller's to update (appendLine does both).
void insertLineAfter(SceneLine* line, SceneLine* newLine);

// A new zero-filled line owned by the caller; null when memory runs out.
SceneLine* newSceneLine();

// A new heap copy of `text` owned by the caller; null when memory runs out.
char* copyText(const char* text);

// The number between parentheses at the end of `text` ("Null (2)" gives 2);
// 1 when the text does not end in ")" or has no "(".
int parenOrdinal(const char* text);

// 1 when `text` ends with `tail`, 0 otherwise.
int textEndsWith(const char* text, const char* tail);

// ---------------------------------------------------------------------------
// Default scene and trace file

// A new classified document holding the built-in default scene (76 lines,
// no objects), owned by the caller; null when memory runs out.
SceneDocument* newScene();

// Each appends to "SpecTEXT.txt" in the current directory, creating it when
// missing, and closes it before returning; a trace that cannot be written is
// dropped without a report. traceText writes `text` verbatim ("%" included);
// traceNumber writes "num is <number>\n"; traceScene writes every line's
// text in order, and leaves the file untouched for a document without lines.
void traceText(const char* text);
void traceNumber(std::int32_t number);
void traceScene(const SceneDocument* document);

// ---------------------------------------------------------------------------
// Object blocks: an object line through the first "ShadowOptions" line after
// it, both included. The empty line that usually follows is not part of it.
//
// Every edit below makes all the lines and texts it needs before it changes
// the document: when memory runs out, or something it needs is missing, it
// reports failure and the document is exactly as before.

// The first line at or after `from` beginning "ShadowOptions": the end of the
// block that `from` lies in. Null when there is none or `from` is null.
SceneLine* findShadowOptions(SceneLine* from);

// Exactly lineArgument: for an object line, the object's path or name with
// its newline. REQUIRES `buffer` of SCENE_BUFFER_SIZE bytes.
char* objectName(const SceneLine* line, char* buffer);

// A new unlinked line holding `text`, then `suffix` (when not null), then
// "\n", at its exact size and of any length; kind 0, number 0, no links.
// REQUIRES `text` not null. Owned by the caller; null (with nothing left
// allocated) when memory runs out.
SceneLine* makeLine(const char* text, const char* suffix);

// As makeLine, a new unlinked line holding an exact copy of `text` (no
// newline is added: callers pass texts that end in one).
SceneLine* lineFromText(const char* text);

// A new unlinked line holding a copy of `line`'s text. Only the text is
// taken over: kind 0, number 0 and no links until it is linked in and the
// document classified.
SceneLine* cloneLine(const SceneLine* line);

// Inserts a ten-line default block directly after `after`, which must be a
// line of `document` (it may be the last: `last` is then kept right), and
// classifies the document again. The block is "LoadObject " (addLoadObject)
// or "AddNullObject " (addNullObject) and `name`, a motion holding one key
// at frame 0, "ShadowOptions 7" and an empty line. A null name leaves the
// blank alone ("LoadObject \n"). Returns `after`; null, with the document
// unchanged, when `after` is null (as objectInsertPoint gives for a document
// without "AmbientColor") or memory runs out.
SceneLine* addLoadObject(SceneDocument* document, SceneLine* after, const char* name);
SceneLine* addNullObject(SceneDocument* document, SceneLine* after, const char* name);

// Copies the block of the selected object (as findObjectLine selects it by
// `name` prefix and 1-based `ordinal`) to the insertion point and classifies
// again. Every line is repeated unchanged, a "ParentObject" line included.
// False, with the document unchanged, when `name` is null, no object
// matches, the copy cannot be made or placed (see copyObjectBlock).
bool copyObject(SceneDocument* document, const char* name, int ordinal);

// Copies the block beginning at `first` directly after objectInsertPoint
// (before "AmbientColor") and classifies again; returns the copy of `first`.
// Null, with the document unchanged, when there is no insertion point, no
// "ShadowOptions" at or after `first`, the insertion point lies inside the
// block (before its last line, where a copy would split it), or memory runs
// out.
SceneLine* copyObjectBlock(SceneDocument* document, SceneLine* first);

// ---------------------------------------------------------------------------
// Motion, parenting and dissolve edits inside one object block. None adds or
// removes an object line, so none classifies; the lines they make keep kind
// 0 until the next classification. Each edit returns whether it happened and
// is all or nothing: on a false result the document is exactly as before.
// The motion and the envelope are looked for only inside the block that
// `line` begins (up to its "ShadowOptions", or to the end of the document
// when it has none), so an edit never touches another object's lines.
//
// A motion, as a block holds it: "ObjectMotion ..." then the channel count
// ("  9"), the key count ("  N"), two lines per key (nine values; frame,
// linear, tension, continuity and bias) and "EndBehavior 1". A dissolve
// envelope: "ObjDissolve (envelope)", "  1", the key count, two lines per key
// (the value; the frame and " 0 0 0 0") and "EndBehavior 1".

// The first line at or after `from` beginning "ObjectMotion", or
// "EndBehavior"; not bounded by the block. Null when none or `from` is null.
SceneLine* findObjectMotion(SceneLine* from);
SceneLine* findEndBehavior(SceneLine* from);
// The first "ObjDissolve" line from `line` up to, not including, the end of
// its block (to the end of the document when it has none); null when none.
SceneLine* findObjDissolve(SceneLine* line);
// The first "ParentObject" line from `from` up to, not including, `stop`;
// a null `stop` lets the search run to the end of the document.
SceneLine* findParentObject(SceneLine* from, SceneLine* stop);
// The first "ShadowOptions" line from `from` through `last` inclusive.
// REQUIRES `last` not null.
SceneLine* findShadowOptionsUpTo(SceneLine* from, SceneLine* last);
// The first object line (by kind, as of the last classification) at or
// after `from`, before `stop`, whose block holds a "ParentObject" line whose
// argument reads as `n` (an argument without digits reads as 0). `from` is
// examined even when it is `stop`; a null `stop` searches to the end. Null
// when there is none, or at once when a parent line met has no blank.
SceneLine* findChildObject(SceneLine* from, std::int32_t n, SceneLine* stop);

// Rewrites everything after the line's first blank as "%d\n" of `value`,
// in place when it fits, else in a new text of exact size (the old one is
// given back). False, unchanged, when the line has no blank or memory runs
// out.
bool setArgumentNumber(SceneLine* line, std::int32_t value);
// Gives the block of object line `line` the parent number `n`: rewrites its
// "ParentObject" line, or makes one directly before its "ShadowOptions".
// False when the block has no "ShadowOptions" line or memory runs out.
bool setParentObject(SceneLine* line, std::int32_t n);
// Appends a key before the motion's "EndBehavior" and raises the count by
// one. Frame 0 restarts the motion: every key it held is given back and the
// new key is its only one, with the count 1. Values are written "%f",
// however long, with the digits of the C locale whatever the process's. False when the block has no whole motion (head, channel
// count, key count with a blank, end) or memory runs out.
bool addMotionKey(SceneLine* line, double positionX, double positionY, double positionZ,
                  double heading, double pitch, double bank, double scaleX, double scaleY,
                  double scaleZ, std::int32_t frame, std::uint8_t linear, std::int32_t tension,
                  std::int32_t continuity, std::int32_t bias);
// Removes the two lines of the motion's last key, gives them back with their
// texts and counts the key down. False, unchanged, when the motion holds no
// key or memory runs out.
bool dropLastMotionKey(SceneLine* line);
// Appends a key to the block's dissolve envelope and raises its count.
// When the block has none, makes the envelope directly after the block's
// first "EndBehavior" line (the end of its motion) with this one key at
// frame 0, whatever `frame` says. False, unchanged, when the block's
// "ObjDissolve" line is a constant dissolve rather than an envelope, the
// envelope is not whole, the block has no "EndBehavior" line or that line
// ends the document, or memory runs out.
bool addDissolveKey(SceneLine* line, double value, std::int32_t frame);

#endif  // QUORVEL_SCENE_SCENE_H_
