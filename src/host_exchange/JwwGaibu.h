// The drawing model of one exchange with Jw_cad: what JWC_TEMP.TXT said, the working attribute state
// shared by the reader and the output writer, and the output command buffer written back to the file.
//
// The interface keeps the romanised names its callers know:
//   Gaibu       "external": the exchange between the host and an external program (StopJwwGaibu).
//   Zumen       the drawing: ZumenFile its file name, ZumenXsize and ZumenYsize the paper in millimetres.
//   Zusun       "paper size": true when the exchange's coordinates are paper millimetres rather than
//               drawing lengths (the file's "bz" record).
//   Jikukaku    the drawing's axis angle in degrees ("hk"): the frame in which horizontal and vertical
//               are meant.
//   Mojisyu     the host's text styles 1..10: character width W, height H and gap D in paper
//               millimetres, colour C.
//   MojiCode    the exchange file began with a UTF-8 byte-order mark; the writer then writes UTF-8 too.
//   Mjs         a text style number: 1..10 one of Mojisyu, 0 the free style with sizes and colour of
//               its own (MjsW, MjsH, MjsD, MjsC).
//   Mbs         the "cc" code of texts, 0..8 (the text's base code, cc in TJwwEntText).
//   LGrp, Lay   layer group and layer, 0..15 each: one hexadecimal digit in the file.
//   Col, Ltp, Wid  line colour number, line type number, line width.
//   PCol, SCol  point colour; solid colour: colour number 10 with a 24-bit value, red in the low byte.
//   Ten         a point.  Sld  a solid.  Crv  a polyline.  Dim  a dimension, whose pending line is
//               EntSunLine.  Blk  a block insertion.
//   IPoints     the points the user indicated in the host ("hp"), by number 1..99.
//   bai, ang, cod  a marker's magnification (1: its own size in paper millimetres), angle in degrees
//               and code.
//   sa, ea, he, ka  an arc's start angle and sweep in degrees, its flatness (minor over major radius,
//               1 for a circle) and the tilt of its major axis in degrees; round solids name the sweep
//               da, and ri is a ring's inner radius.
//   Prefixes: w_ the working attributes, w_Flg their must-write flags, Cur the host's current settings,
//   t_ the output buffers, Ent the entity tables (with N, their counts), S_ writes output, A_ adds to
//   the model.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "entity_kind.h"
#include "jww_records.h"
#include "platform.h"

// Block growth: right after a count becomes n, a table at n % 1000 == 1 is given room for n + 999
// entries, so a large selection reallocates once per thousand. A table that is somehow shorter than
// its count (a count set from outside) is grown too rather than written past its end.
template <typename T>
void GrowByBlock(std::vector<T>& table, int32_t n) {
  const auto length = static_cast<size_t>(n);
  if (n % 1000 == 1 || table.size() < length) table.resize((length + 999) / 1000 * 1000);
}

// The entries of a table that its count says are in use: a count set from outside may be negative or
// exceed what the table holds.
template <typename T>
size_t UsedCount(const std::vector<T>& table, int32_t n) {
  return n <= 0 ? 0 : std::min(static_cast<size_t>(n), table.size());
}

// The slot a table's count gains next, with block growth; a count set below zero from outside
// starts again at the first slot.
template <typename T>
T& NextSlot(std::vector<T>& table, int32_t& count) {
  if (count < 0) count = 0;
  ++count;
  GrowByBlock(table, count);
  return table[static_cast<size_t>(count) - 1];
}

// What a run starts from, besides the model's tables: the working attributes with their flags, the
// document settings, the host's current settings and the indicated points. Kept as one group so that
// a scratch model takes all of it from the host at once (TJGdata::CopySettingsFrom); a field added
// here is copied with the rest, a field added to TJGdata itself is not.
struct TJGsettings {
  // Working attribute flags: true = the next value is taken (reader) or written (writer) whatever it is.
  bool w_FlgLGrp = false;
  bool w_FlgLay = false;
  bool w_FlgCol = false;
  bool w_FlgLtp = false;
  bool w_FlgWid = false;
  bool w_FlgMjs = false;
  bool w_FlgMbs = false;
  bool w_FlgFont = false;
  bool w_FlgPCol = false;
  bool w_FlgSCol = false;

  // Working attributes.
  int32_t w_IPNo = 0;
  int32_t w_LGrp = 0;
  int32_t w_Lay = 0;
  int32_t w_Col = 0;
  int32_t w_Ltp = 0;
  int32_t w_Wid = 0;
  int32_t w_Mjs = 0;
  double w_MjsW = 0.0;
  double w_MjsH = 0.0;
  double w_MjsD = 0.0;
  int32_t w_MjsC = 0;
  int32_t w_Mbs = 0;
  std::u16string w_Font;
  int32_t w_Attr = 0;
  int32_t w_CrvNo = 0;
  bool w_CrvFl = false;
  bool w_DimFl = false;
  int32_t w_PtCol = 0;
  int32_t w_SlCol = 0;

  // Document settings.
  bool MojiCode = false;
  double Jikukaku = 0.0;
  std::u16string ZumenFile;
  std::array<double, 16> LGrpScale{};
  double ZumenXsize = 0.0;
  double ZumenYsize = 0.0;
  IndexedArray<TJwwMojisyu, 1, 10> Mojisyu;
  std::array<int32_t, 356> RGB{};
  bool Zusun = false;
  double AreaX1 = 0.0, AreaY1 = 0.0, AreaX2 = 0.0, AreaY2 = 0.0;

  // The host's current settings: the first attribute record of each kind in the file.
  int32_t CurLGrp = 0;
  int32_t CurLay = 0;
  int32_t CurCol = 0;
  int32_t CurLtp = 0;
  int32_t CurWid = 0;
  int32_t CurMjs = 0;
  double CurMjsW = 0.0;
  double CurMjsH = 0.0;
  double CurMjsD = 0.0;
  int32_t CurMjsC = 0;
  std::u16string CurFont;

  // Indicated points, and whether a width record was read.
  std::vector<TJwwIndPoint> IPoints;  // length 100, entries 1..99 used
  int32_t IPointN = 0;
  bool WidF = false;
};

class TJGdata : public TJGsettings {
 public:
  // Create: every field zero, empty or false, then the defaults of DataInit.
  TJGdata();
  // Destroy: DataFree.
  virtual ~TJGdata();

  TJGdata(const TJGdata&) = default;
  TJGdata& operator=(const TJGdata&) = default;

  // Layer tables.
  std::vector<int32_t> LGrpStat;        // length 16
  std::vector<std::u16string> LGrpName; // length 16
  std::vector<int32_t> LayStat;         // length 256, index group * 16 + layer
  std::vector<std::u16string> LayName;  // length 256

  // Entities, in the order they were added (EntNo) and per kind.
  int32_t EntN = 0;
  std::vector<TJwwEntNo> EntNo;
  int32_t EntLineN = 0;
  std::vector<TJwwEntLine> EntLine;
  TJwwEntLine EntSunLine;  // the line of a pending dimension
  int32_t EntCircN = 0;
  std::vector<TJwwEntCircle> EntCirc;
  int32_t EntArcN = 0;
  std::vector<TJwwEntArc> EntArc;
  int32_t EntTextN = 0;
  std::vector<TJwwEntText> EntText;
  int32_t EntPntN = 0;
  std::vector<TJwwEntPnt> EntPnt;
  int32_t EntMarkN = 0;
  std::vector<TJwwEntMark> EntMark;
  int32_t EntDimN = 0;
  std::vector<TJwwEntDim> EntDim;
  int32_t EntBlkN = 0;
  std::vector<TJwwEntBlk> EntBlk;
  int32_t EntSld2N = 0;
  std::vector<TJwwEntSld2> EntSld2;
  int32_t EntSld3N = 0;
  std::vector<TJwwEntSld3> EntSld3;
  int32_t EntSld4N = 0;
  std::vector<TJwwEntSld4> EntSld4;
  int32_t EntSldCN = 0;
  std::vector<TJwwEntSldC> EntSldC;
  int32_t EntSldEN = 0;
  std::vector<TJwwEntSldC> EntSldE;
  int32_t EntSldON = 0;
  std::vector<TJwwEntSldD> EntSldO;
  int32_t EntSldGN = 0;
  std::vector<TJwwEntSldD> EntSldG;

  // Output buffers.
  int32_t t_MemN = 0;
  std::vector<std::u16string> t_Mem;
  int32_t t_PLineN = 0;
  std::vector<TJwwPLine> t_PLine;

  // Display colours kept by the insertion operations.
  int32_t aCol = 0;
  int32_t aSCol = 0;

  // --- model (model.cpp) ---
  // The defaults of a model before reading: scales 1, paper 1189 x 841 mm, text styles 3 x 3 mm with
  // gap 0 and colour 2, the host's current settings those of S_Init but for an empty font, the layer
  // tables and indicated points cleared at their fixed lengths, every entity table and buffer empty.
  void DataInit();
  // Takes the host's TJGsettings whole (working state, document and current settings, indicated
  // points); the entity and layer tables, the output buffers and the insertion colours stay this
  // model's own.
  void CopySettingsFrom(const TJGdata& host);
  // Releases every table (their memory too); the counts stay as they are.
  void DataFree();
  // Appends one EntNo entry, counted in EntN.
  void SetEntNo(int32_t a_yn, int32_t a_no);
  // Stamps `at` with the working attributes (w_IPNo, w_LGrp, w_Lay, w_Col, w_Ltp, w_Wid, w_Attr).
  void SetEntAttr(TJwwEntAttr& at) const;
  // a1 := a2, all seven fields.
  static void CopyEntAttr(TJwwEntAttr& a1, const TJwwEntAttr& a2);
  // A text takes the working code and font, and the sizes and colour of its numbered style or the
  // free-style values. Inline: the reader calls it for every text it reads.
  void FillTextStyle(TJwwEntText& t) const {
    t.cc = w_Mbs;
    t.cn = w_Mjs;
    if (w_Mjs >= 1 && w_Mjs <= 10) {
      const TJwwMojisyu& style = Mojisyu[w_Mjs];
      t.mw = style.W;
      t.mh = style.H;
      t.md = style.D;
      t.att.Col = style.C;
    } else {
      t.mw = w_MjsW;
      t.mh = w_MjsH;
      t.md = w_MjsD;
      t.att.Col = w_MjsC;
    }
    t.fo = w_Font;
  }

  // --- reader (reader.cpp) ---
  // Reads the exchange file into the model (adding to what is there). True when a file was read.
  bool OpenTempFile(const std::u16string& fn);
  // OpenTempFile telling how it went: ok, or why not, with the system's reason: Missing; Unreadable
  // (after the retries of platform::ReadTextFile); TooLarge when more than `maxUnits` UTF-16 units would
  // have to be held at once (a line with its line end, or in the ANSI code page and UTF-8, which are cut
  // only at line feeds, any stretch up to a line feed), or when memory ran out. Never throws. After
  // TooLarge the model keeps the records before the failure; MojiCode is set only by a read that
  // succeeded. The default limit is all a string can hold; a lower one lets a test reach it.
  platform::ReadTextResult ReadTempFile(const std::u16string& fn, size_t maxUnits = platform::kLongestText);
  // Parses a whole decoded text: split into lines at CR LF, CR or LF, ending at the first NUL.
  void ReadTempText(const std::u16string& text);
  // Parses one record line into the model.
  void ReadTempLine(const std::u16string& s);

  // --- output commands (commands.cpp) ---
  // Each appends lines to the output buffer t_Mem, which the host draws once the program has ended;
  // none fails. Coordinates and lengths go out as given, in the exchange's unit: drawing lengths, or
  // paper millimetres when Zusun is set. Angles are degrees, counter-clockwise. An attribute command
  // (S_LGrp to S_SColRGB) writes its line only when its must-write flag is set or the value, as
  // prepared, differs from the one last written; it then remembers the value and clears the flag, and
  // otherwise writes nothing and changes nothing. A drawing command writes nothing for a value that is
  // not finite or for geometry the host would draw as nothing: points coincide when both coordinates
  // differ by less than 1e-10, a radius, flatness or direction counts as zero up to 1e-10. Texts lose
  // their control characters (a line break would start a command of its own), except through SendMem.

  // Starts the output: every attribute must be written again, from the values layer group 0, layer 0,
  // colour 1, line type 1, width 0, text style 1 (free sizes 2, 2, 0, colour 1), cc 0, font
  // "<ＭＳ ゴシック>", point colour 1, solid colour 0. Writes nothing; the buffers and the reader's
  // per-entity state (w_IPNo, w_Attr, w_CrvNo, w_CrvFl, w_DimFl) stay.
  void S_Init();
  // Appends `s` as one line exactly as given, unchecked: a line break in it reaches the host as a
  // further line.
  void SendMem(const std::u16string& s);
  // "h#" and the comment.
  void S_Comment(const std::u16string& s);
  // "hn" and the rectangle AreaX1, AreaY1, AreaX2, AreaY2 as the model holds it.
  void S_Area();
  // "lg" and the layer group as one hexadecimal digit. A group outside 0..15 writes nothing and changes
  // nothing; once a group is written the next S_Lay writes whatever its layer.
  void S_LGrp(int32_t lgrp);
  // "ly" and the layer as one hexadecimal digit; a layer outside 0..15 writes nothing and changes nothing.
  void S_Lay(int32_t lay);
  // "lc" and the colour number. `mode` 1 takes `col` as a position in the host's colour list (0 or
  // below: the host's current colour CurCol, 1..9 themselves, 10 up: 101 up); any other mode takes it as
  // the colour number itself, unchecked. Colour number 10 is the solid colour's (see S_SCol).
  void S_Col(int32_t col, int32_t mode);
  // "lt" and the line type number; `mode` 1 takes a list position (0 or below: CurLtp, 1..9 themselves,
  // 10..18: 11..19, 19 up: 31 up), any other mode the number itself.
  void S_Ltp(int32_t ltp, int32_t mode);
  // "lw" and the width, but only when the host's file carried a width (WidF); otherwise nothing at all.
  // -1 is the host's current width CurWid; a width outside 0..30000 is written as 0.
  void S_Wid(int32_t wid);
  // The text style: "cn" and the number for styles 1..10, whose sizes are the host's own (mw, mh, md and
  // col are then ignored); "cn0" with width, height, gap (paper millimetres) and colour for the free
  // style 0, written also when only a size or the colour changed. `mode` 1 takes `col` as a colour list
  // position, as S_Col does. A style outside 0..10 is the host's current one CurMjs, with the host's
  // current free sizes and colour when that is the free style. Free sizes that are not finite write
  // nothing.
  void S_Mjs(int32_t mjs, double mw, double mh, double md, int32_t col, int32_t mode);
  // "cc" and the code; a code outside 0..8 is written as 0.
  void S_Mbs(int32_t mbs);
  // "cn", a double quote, "$" and the font name. An empty name, or "<>", is the host's current font
  // CurFont. Names compare exactly, case included.
  void S_Font(const std::u16string& fnt);
  // "pn" and the point colour, which points and markers take; `mode` as for S_Col.
  void S_PCol(int32_t col, int32_t mode);
  // "lc10 " and the solid colour value (red + 256 green + 65536 blue); a value outside 0..0xFFFFFF is
  // black (0). Skipped only while colour number 10 and this very value are both in force, unforced.
  void S_SCol(int32_t col);
  // S_SCol with the value of r, g and b; a component outside 0..255 counts as 0.
  void S_SColRGB(int32_t r, int32_t g, int32_t b);
  // The per-entity flags of the next drawing command: "z1".."z5" for bits 1, 2, 4, 8 and 16 of `att`,
  // one line each, in that order, on every call (no change rule). Flag 5 suppresses flag 4.
  void S_Attr(int32_t att);
  // As S_Attr(int32_t), one argument per flag, true (or non-zero) for set.
  void S_Attr(bool at1, bool at2, bool at3, bool at4, bool at5);
  void S_Attr(int32_t at1, int32_t at2, int32_t at3, int32_t at4, int32_t at5);
  // A line: its two end points, without keyword.
  void S_Line(double x1, double y1, double x2, double y2);
  // "pl" and "#": the lines written between them form one polyline for the host.
  void S_PLineStart();
  void S_PLineEnd();
  // The polyline buffer t_PLine written out: nothing when empty, one segment as a plain line, more as
  // "pl", each segment through S_Line, "#". The buffer is kept.
  void S_PLine();
  // Empties the polyline buffer; writes nothing.
  void S_PLineReset();
  // Adds one segment to the polyline buffer; writes nothing, and keeps even a degenerate segment
  // (S_PLine leaves it out).
  void S_PLineSet(double px1, double py1, double px2, double py2);
  // "pt" and a point.
  void S_Ten(double x, double y);
  // "pt" and a marker: its point, magnification, angle and code. A code outside -7..11 is written as -3,
  // a magnification that counts as zero as 1.
  void S_Mark(double x, double y, double bai, double ang, int32_t cod);
  // "ci", centre and radius; nothing for a radius up to 1e-10, a negative one included.
  void S_Circle(double x, double y, double r);
  // "ci", centre, radius, start angle, sweep, flatness and tilt; nothing for a radius up to 1e-10 or a
  // flatness that counts as zero.
  void S_Arc(double x, double y, double r, double sa, double ea, double h, double ka);
  // A text: the keyword by `no` (1 "cv", 2 "cs", 3 "cr", 4 "co", 5 "cp", 6 "ct", 7 "ck", 8 "cz",
  // 9 "c2", any other "ch"), its start point, its direction vector, then a blank, a double quote and
  // the text to the end of the line, blanks kept. Nothing without a direction or for a blank text.
  void S_Text(int32_t no, double x1, double y1, double x2, double y2, const std::u16string& m);
  // A dimension, three lines: "msg", its line, and a "cs" text with start point, direction and `m`; a
  // blank `m` writes the line's length rounded half up at the tenth decimal. Nothing when the line's
  // ends coincide or the text has no direction.
  void S_Dim(double lx1, double ly1, double lx2, double ly2, double tx1, double ty1, double tx2, double ty2,
             const std::u16string& m);
  // "sl" and the corners of a solid; nothing when two corners coincide.
  void S_Solid2(double x1, double y1, double x2, double y2);
  void S_Solid3(double x1, double y1, double x2, double y2, double x3, double y3);
  // Coinciding corners reduce the quadrilateral to the triangle that remains, or to nothing when what
  // remains has no area.
  void S_Solid4(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4);
  // "sc" (fan from the centre) and "se" (cut off by the chord): centre, radius, flatness, tilt, start
  // angle, sweep and fill code. Nothing for a radius up to 1e-10, a flatness that counts as zero, or a
  // code the host does not take: "sc" takes 0, 5, 100 and -1, "se" 0 and 100.
  void S_SolidC(double x, double y, double r, double h, double ka, double sa, double da, int32_t cod);
  void S_SolidD(double x, double y, double r, double h, double ka, double sa, double da, int32_t cod);
  // "so" and "sg": a ring, as S_SolidC with the inner radius `ri` last. Nothing unless the inner radius
  // lies more than 1e-10 inside the outer one and above 1e-10, and the flatness is not zero.
  void S_SolidO(double x, double y, double r, double h, double ka, double sa, double da, double ri);
  void S_SolidG(double x, double y, double r, double h, double ka, double sa, double da, double ri);

  // --- exchange-file writer (temp_file.cpp) ---
  // Writes the output buffer over `fn`, every line ended by CR LF ("hq" alone when the buffer is
  // empty): UTF-8 with a byte-order mark when MojiCode is set, otherwise the system's ANSI code page
  // without one, which is also what a host file in UTF-16 is answered in (characters that code page
  // lacks are replaced). The file is replaced whole, never left half-written. True when it was written;
  // on failure `fn` is deleted if it can be, and `reason` (when given) receives the system's reason, and
  // `uncreatableFolder` (when given) the folder when the failure was that it lets no file be created.
  bool SaveTempFile(const std::u16string& fn, std::u16string* reason = nullptr,
                    std::u16string* uncreatableFolder = nullptr);
  // Ends the run without result: empties the output buffer, so that SaveTempFile writes "hq". The
  // working attributes stay as last written.
  void StopJwwGaibu();

  // --- colour and line-type tables (colors.cpp) ---
  // The host's colour number at a position of its colour list: 0 or below the current colour CurCol,
  // 1..9 themselves, 10 up 101 up (wrapping round as 32-bit arithmetic does at the very top).
  int32_t GetColorItems(int32_t col) const;
  // The host's line type at a list position: 0 or below CurLtp, 1..9 themselves, 10..18 11..19, 19 up
  // 31 up.
  int32_t GetLtypeItems(int32_t ltp) const;
  // The colour the host displays for colour number 1..9 or 101..116, red in the low byte; 0 (black) for
  // every other number.
  int32_t GetColorDisp(int32_t col) const;

  // --- entity re-emission (reemit.cpp) ---
  // What the re-emission asks when it samples the Escape key; empty means the keyboard itself. A caller
  // that drives the re-emission without a keyboard (a test, a batch run) puts its own answer here.
  std::function<bool()> EscapeKeyState;
  // Every loaded entity written back in EntNo order, each with its own attributes but those replaced:
  // a1 layer group and a2 layer (each kept when outside 0..15); a3 colour number, a4 line type, a5
  // width, a7 cc code (each kept when -1, any other value handed on as the S_ commands take it); a8 the
  // solid colour value, used only when a3 is 10. a6 is the colour of texts and dimension texts: -1
  // keeps each text's own style, and any other value (0 and other negatives included) writes the text
  // in the free style with its own width, height and gap and a6 as its colour, unchecked; a text whose
  // sizes are not finite then writes no style line and takes the style in force. Block insertions write
  // nothing. "bz" comes first when Zusun is set; the host's current layer group and layer come last.
  // Escape held at a sample (every 100 entities) empties the buffer and ends the run there, the
  // closing layer lines still written.
  void S_EntAll(int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5, int32_t a6, int32_t a7,
                int32_t a8);
  // As S_EntAll, but the lines of each polyline are written together afterwards, between "pl" and "#";
  // Escape is sampled besides once per polyline number. Costs time in proportion to the entities and
  // the largest curve number, however many polylines.
  void S_EntAllp(int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5, int32_t a6, int32_t a7,
                 int32_t a8);
  // One entity each, by its index in its kind's table, with the replacements of S_EntAll that apply to
  // its kind; an index outside the table writes nothing.
  void S_EntLine(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5);
  // One line inside its polyline. `openCrvNo` is the polyline now open (0 = none), owned by the caller;
  // `followed` says whether another line of the open polyline comes later, else it is closed here.
  void S_EntLineCrv(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5, bool followed,
                    int32_t& openCrvNo);
  void S_EntCircle(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5);
  void S_EntArc(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5);
  void S_EntText(int32_t no, int32_t a1, int32_t a2, int32_t a6, int32_t a7);
  void S_EntPnt(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a5);
  void S_EntMark(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a5);
  void S_EntDim(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a4, int32_t a5, int32_t a6,
                int32_t a7);
  void S_EntSld2(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a5, int32_t a8);
  void S_EntSld3(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a8);
  void S_EntSld4(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a8);
  void S_EntSldC(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a8);
  void S_EntSldE(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a5, int32_t a8);
  void S_EntSldO(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a8);
  void S_EntSldG(int32_t no, int32_t a1, int32_t a2, int32_t a3, int32_t a8);

  // --- entity insertion (insert.cpp) ---
  // Working attributes for the entities added next, prepared as the S_ command of the same name
  // prepares its value (A_LGrp and A_Lay take any value unchecked); no output line is written and no
  // must-write flag changes. The colours also set the display colour aCol (aSCol for solids).
  void A_LGrp(int32_t lgrp);
  void A_Lay(int32_t lay);
  void A_Col(int32_t col, int32_t mode);
  void A_Ltp(int32_t ltp, int32_t mode);
  void A_Wid(int32_t wid);
  void A_Mjs(int32_t mjs, double mw, double mh, double md, int32_t col, int32_t mode);
  void A_Mbs(int32_t mbs);
  void A_Font(const std::u16string& fnt);
  void A_PCol(int32_t col, int32_t mode);
  void A_SCol(int32_t col);
  void A_SColRGB(int32_t r, int32_t g, int32_t b);
  void A_Attr(int32_t att);
  // Entities added to the model as though read, stamped with the working attributes; degenerate
  // geometry adds nothing. Each overload with `at` stamps the added entity with `at` instead.
  // Attributes and texts are taken by value: they may come from the very tables an addition grows.
  void A_Line(double ax1, double ay1, double ax2, double ay2);
  void A_Line(TJwwEntAttr at, double ax1, double ay1, double ax2, double ay2);
  void A_Ten(double ax, double ay);
  void A_Ten(TJwwEntAttr at, double ax, double ay);
  void A_Mark(double ax, double ay, double abai, double aang, int32_t acod);
  void A_Mark(TJwwEntAttr at, double ax, double ay, double abai, double aang, int32_t acod);
  void A_Circle(double ax, double ay, double ar);
  void A_Circle(TJwwEntAttr at, double ax, double ay, double ar);
  void A_Arc(double ax, double ay, double ar, double asa, double aea, double ah, double aka);
  void A_Arc(TJwwEntAttr at, double ax, double ay, double ar, double asa, double aea, double ah,
             double aka);
  void A_Text(int32_t ano, double ax1, double ay1, double ax2, double ay2, std::u16string am);
  void A_Text(TJwwEntAttr at, int32_t ano, double ax1, double ay1, double ax2, double ay2,
              std::u16string am);
  void A_Dim(double lx1, double ly1, double lx2, double ly2, double tx1, double ty1, double tx2,
             double ty2, std::u16string m);
  void A_Dim(TJwwEntAttr at, double lx1, double ly1, double lx2, double ly2, double tx1, double ty1,
             double tx2, double ty2, std::u16string m);
  void A_Solid2(double ax1, double ay1, double ax2, double ay2);
  void A_Solid2(TJwwEntAttr at, double ax1, double ay1, double ax2, double ay2);
  void A_Solid3(double ax1, double ay1, double ax2, double ay2, double ax3, double ay3);
  void A_Solid3(TJwwEntAttr at, double ax1, double ay1, double ax2, double ay2, double ax3, double ay3);
  void A_Solid4(double ax1, double ay1, double ax2, double ay2, double ax3, double ay3, double ax4,
                double ay4);
  void A_Solid4(TJwwEntAttr at, double ax1, double ay1, double ax2, double ay2, double ax3, double ay3,
                double ax4, double ay4);
  void A_SolidC(double ax, double ay, double ar, double ah, double aka, double asa, double ada,
                int32_t acod);
  void A_SolidC(TJwwEntAttr at, double ax, double ay, double ar, double ah, double aka, double asa,
                double ada, int32_t acod);
  void A_SolidD(double ax, double ay, double ar, double ah, double aka, double asa, double ada,
                int32_t acod);
  void A_SolidD(TJwwEntAttr at, double ax, double ay, double ar, double ah, double aka, double asa,
                double ada, int32_t acod);
  void A_SolidO(double ax, double ay, double ar, double ah, double aka, double asa, double ada,
                double ari);
  void A_SolidO(TJwwEntAttr at, double ax, double ay, double ar, double ah, double aka, double asa,
                double ada, double ari);
  void A_SolidG(double ax, double ay, double ar, double ah, double aka, double asa, double ada,
                double ari);
  void A_SolidG(TJwwEntAttr at, double ax, double ay, double ar, double ah, double aka, double asa,
                double ada, double ari);

 public:
  // The fields of one tokenised line (reader.cpp).
  struct Fields;

 private:
  // The values an attribute takes, prepared alike whether it is written (S_) or stored for the
  // entities added next (A_); defined with the writer (commands.cpp).
  // Mode 1 takes the colour as an item of the colour list. A style outside 0..10 becomes the host's
  // current one, and when that is the free style, takes the current free sizes and colour too.
  void PrepareTextStyle(int32_t& mjs, double& mw, double& mh, double& md, int32_t& col, int32_t mode) const;
  // -1 is the host's current width; what the host cannot take is 0.
  int32_t PreparedWidth(int32_t wid) const;
  // No name, or the empty "<>", is the host's current font.
  const std::u16string& PreparedFont(const std::u16string& fnt) const;
  // A solid colour is a 24-bit value; anything else is black.
  static int32_t PreparedSolidColour(int32_t col);
  // Components outside 0..255 count as 0.
  static int32_t PreparedSolidColourRGB(int32_t r, int32_t g, int32_t b);

  // Adds one entity of a kind the way every filler does it: its EntNo entry, the kind's count plus one
  // with block growth, the working attributes stamped on the new entry. The caller fills the rest.
  template <typename T>
  T& AddEntity(EntityKind kind, int32_t& count, std::vector<T>& table) {
    if (count < 0) count = 0;
    SetEntNo(KindCode(kind), count);
    T& entry = NextSlot(table, count);
    entry = T{};  // a slot left behind by a count lowered from outside must not leak old values
    SetEntAttr(entry.att);
    return entry;
  }

  // ReadTempFile but for catching what running out of memory throws.
  platform::ReadTextResult ReadTempPieces(const std::u16string& fn, size_t maxUnits);
  // The reader's dispatch stage: applies the first rule whose keyword and field count fit.
  void ReadTempFields(const Fields& f);
  // The reader's rules by group of records. Each applies the line when a rule of its group fits its
  // keyword and field count, and says whether one did; a line no rule takes changes nothing.
  bool ReadHeaderRecord(const Fields& f);     // "h…" header and indicated points, "bz" (reader_settings.cpp)
  bool ReadLayerRecord(const Fields& f);      // "lg", "ly", "lgn", "lyn" (reader_settings.cpp)
  bool ReadAttributeRecord(const Fields& f);  // working attributes, polyline and dimension markers
  bool ReadEntityRecord(const Fields& f);     // circle, arc, point, mark, block (reader_entities.cpp)
  bool ReadTextRecord(const Fields& f);       // text, or the dimension a held line and "cs" make
  bool ReadSolidRecord(const Fields& f);      // "sl" with its coinciding corners merged, round solids
  // A record of four fields that no rule took: a line, or the held line of a pending dimension.
  void ReadLineRecord(const Fields& f);
  // After an entity: attributes of the next one start over, and the polyline and dimension end.
  void ResetEntityState();
};
