#pragma once

#include <string_view>

// The words of an environment's kinds file (data/<environment>/kinds.dat), which the data pack
// generator writes and the catalogue reads: what the generator works out from each kind's name.
// Text, one record a line, fields separated by tabs:
//
//   blockyard kinds 1
//   groups<TAB>Roads<TAB>...<TAB>Other      the picker's groups in the order it shows them
//   index<TAB>name<TAB>family<TAB>group<TAB>mirror<TAB>mirrorturn     the columns of the lines
//   1<TAB>StadiumGrassClip<TAB>clip<TAB>Terrain<TAB>=<TAB>0            that follow
//
// one line per kind in catalogue order. `mirror` names the kind's mirror image X-flipped (x
// reflected, y and z kept): another kind, "=" for the kind itself or "?" when it is not known;
// a block at rotation r becomes its mirror image at rotation (mirrorturn - r) mod 4, and
// (mirrorturn + 2 - r) mod 4 when Y-flipped. Partners name each other with the same turn.
// `role` is the kind's word of catalog/kind_role.h. `footprint` says whether the kind's units are
// measured ("exact") or guessed from its name ("guessed"). `roadends` lists the open ends of a
// road piece at rotation 0, "x,y,z,h" each (the unit an end leaves from and its heading, as in
// catalog/footprint_rotation.h) separated by ";", or "-" for none. `sharescells` is "yes" for
// kinds whose blocks share cells with others in tracks the game built (ground, water, pillars,
// clips), "no" for the rest. Readers find columns by name and pass over columns they do not know,
// so later columns leave them working; the number on the first line changes only for what older
// readers cannot read. The header depends on nothing but the language, so that the generator can
// use it without the editor.
namespace kinds_file {

inline constexpr std::string_view kFirstLine = "blockyard kinds 1";
inline constexpr std::string_view kGroups = "groups";
inline constexpr std::string_view kIndexColumn = "index";
inline constexpr std::string_view kNameColumn = "name";
inline constexpr std::string_view kFamilyColumn = "family";
inline constexpr std::string_view kGroupColumn = "group";
inline constexpr std::string_view kMirrorColumn = "mirror";
inline constexpr std::string_view kMirrorTurnColumn = "mirrorturn";
inline constexpr std::string_view kRoleColumn = "role";
inline constexpr std::string_view kFootprintColumn = "footprint";
inline constexpr std::string_view kRoadEndsColumn = "roadends";
inline constexpr std::string_view kExactFootprint = "exact";
inline constexpr std::string_view kGuessedFootprint = "guessed";
inline constexpr std::string_view kNoRoadEnds = "-";
inline constexpr std::string_view kSharesCellsColumn = "sharescells";
inline constexpr std::string_view kYes = "yes";
inline constexpr std::string_view kNo = "no";
inline constexpr std::string_view kOwnMirror = "=";
inline constexpr std::string_view kUnknownMirror = "?";
// The group of kinds that fit no family, and of every kind when the file is missing or unreadable.
inline constexpr std::string_view kOtherGroup = "Other";

} // namespace kinds_file
