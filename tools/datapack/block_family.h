#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/kind_role.h"

// What a kind of block is, as its name says: how it is drawn and whether it is road.
enum class Family {
    Road,  // a straight piece of road, one cell per column
    Curve, // a quarter turn
    Slope, // road that climbs
    Loop,  // a looping
    Start, // gates across the road
    Finish,
    StartFinish,
    Checkpoint,
    Turbo,   // road with an arrow
    Pillar,  // a column under other blocks
    Terrain, // flat ground
    Hill,    // ground that rises
    Water,
    Clip, // a small joint the game adds beside other blocks
    Tree,
    Rock,
    Building,
    Wall, // signs, fences, lamps and other thin decoration
};

// The family of a block kind from its name.
Family familyOf(const std::string& name);

// The family's name in the kinds file: "road", "startfinish", "wall", ...
std::string_view familyName(Family family);

// The groups that the editor's block picker files kinds under, in the order it shows them; the
// last is the kinds file's group of kinds that fit no family.
const std::vector<std::string_view>& pickerGroups();

// The picker group of a kind of the family with the name: the family's own group, and for road
// pieces their surface or shape. Road that the family rules give a name only by default, as it
// holds no word of any family, is filed under the group of kinds that fit no family.
std::string_view pickerGroupOf(Family family, const std::string& name);

// Families whose blocks share cells with others in real tracks: the ground and water that road
// pieces are built into, and the pillars and clips that the game adds under and beside blocks.
bool standsAside(Family family);

// What a kind of the family with the name does in a run: gates of the start, finish and
// checkpoint families, and a multilap gate for the start-finish gates and the checkpoint family's
// "MultiLap" pieces.
KindRole roleOf(Family family, const std::string& name);

// Families that a car drives on, with open ends that join the next piece.
bool isRoad(Family family);
// Road pieces that start, end, time or speed up a run: gates and boosters.
bool isGateOrBooster(Family family);

// Which of the environment's four road surfaces (0..3) a road kind wears, from the words of its
// name (for example dirt, platform or circuit in the Stadium).
int roadSurfaceOf(int environment, const std::string& name);

// Whether the name holds any of the words.
bool hasAny(const std::string& name, std::initializer_list<const char*> words);

// Whether the name holds "To" between two words, as in ground that changes ("SnowToIce",
// "SpeedToCanyon"), and not as the start of a word such as "Tower" or "Toll".
bool transition(const std::string& name);

// The number right after the first of the words in the name (for example 3 in "GTCurve3"), or 0.
int numberAfter(const std::string& name, std::initializer_list<const char*> words);
