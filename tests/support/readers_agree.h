#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "catalog/environment.h"
#include "track/structural_reader.h"
#include "track/text_search_reader.h"

// Wherever both readers read a file, they read the same blocks out of the same envelope. Returns
// whether the walk through the chunks read it.
inline bool expectReadersAgree(const std::vector<std::uint8_t>& bytes,
                               const EnvironmentNames& environmentNames) {
    auto walked = readByStructure(bytes, 0);
    auto searched = readByTextSearch(bytes, environmentNames, 0);
    if (!walked || !searched || searched->unresolvedReferences > 0)
        return walked.has_value();
    EXPECT_EQ(walked->track.uid, searched->track.uid);
    EXPECT_EQ(walked->track.environment, searched->track.environment);
    EXPECT_EQ(walked->envelope.headBytes, searched->envelope.headBytes);
    EXPECT_EQ(walked->envelope.tailBytes, searched->envelope.tailBytes);
    EXPECT_EQ(walked->track.blocks.size(), searched->track.blocks.size());
    auto other = searched->track.blocks.begin();
    for (const BlockRecord& block : walked->track.blocks) {
        if (other == searched->track.blocks.end())
            break;
        EXPECT_EQ(block.keptName, other->keptName);
        EXPECT_EQ(block.variant, other->variant);
        // The text searches know the head's names by number only.
        const std::vector<std::string>& head = walked->envelope.headNames;
        const std::uint32_t number = other->skin.authorNumber;
        EXPECT_EQ(block.skin.author,
                  number > 0 && number <= head.size() ? head[number - 1] : other->skin.author);
        EXPECT_EQ(block.skin.skin.number, other->skin.skin.number);
        EXPECT_EQ(block.skin.waypoint.number, other->skin.waypoint.number);
        EXPECT_TRUE(block.x == other->x && block.y == other->y && block.z == other->z &&
                    block.rotation == other->rotation);
        ++other;
    }
    return true;
}
