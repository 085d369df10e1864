// The options of `vexofont make` that describe the font to make, checked
// and turned into a request for the builder.
#ifndef VEXOCNVT_VEXOFONT_MAKE_MAKE_REQUEST_H_
#define VEXOCNVT_VEXOFONT_MAKE_MAKE_REQUEST_H_

#include <cstdint>
#include <set>
#include <string>

#include "vexofont/make/code_map.h"
#include "vexofont/make/input_font_builder.h"
#include "vexofont/make/make_options.h"
#include "vexofont/make/source_font.h"

namespace vexo {

// Checks the options that describe the file (kind, station, size, code page
// or --map, first and last); fills *request, with *map and *mappedPage
// holding a --map code page. Returns kMakeOk, or kMakeUsage
// (kMakeSourceFailed for a --map file that cannot be read) with the line in
// *report.
int ReadRequest(const MakeOptions& options, CodeMap* map, CodePage* mappedPage,
                FontRequest* request, CommandReport* report);

// Checks the rendering options; fills *render and *cellFill, with the
// defaults of the request's kind where an option is not given. Returns
// kMakeOk, or kMakeUsage with the line in *report.
int ReadRenderOptions(const MakeOptions& options, const FontRequest& request,
                      RenderOptions* render, bool* cellFill,
                      CommandReport* report);

// Adds the characters --chars and --text select to *selection. Returns
// kMakeOk, or the status with the line in *report.
int ReadSelection(const MakeOptions& options, std::set<uint32_t>* selection,
                  CommandReport* report);

// The cell the source fonts draw on: the request's, but 16x16 for nine-row
// DBCS impact glyphs, which (unless a font has a nine-row strike) are drawn
// whole and then reduced to nine rows (ReduceRows) rather than cut.
CellSize DrawingCell(const FontRequest& request);

// The part of the cell the station prints: the first 8 dot columns of SBCS
// impact glyphs 9 to 15 dots wide (ImpactPrint::kFirstColumns), where the
// glyphs are drawn so that none of their dots is lost; else the cell.
CellSize PrintedCell(const FontRequest& request);

// An impact font of `cell` that the station does not print as drawn:
// unless `forced`, returns kMakeUsage with the line that says what the
// printer gets and names sizes that print as drawn in *report; else kMakeOk.
int CheckImpactPrint(FontKind kind, CellSize cell, bool forced,
                     CommandReport* report);

// "0x41", "0x8140": a code as make's messages write it.
std::string CodeText(FontKind kind, int code);

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_MAKE_MAKE_REQUEST_H_
