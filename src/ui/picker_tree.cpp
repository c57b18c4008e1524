#include "ui/picker_tree.h"

void makeChildren(PickerGroup& group, PickerChildKind kind, int n) {
    group.count = static_cast<std::int8_t>(n);
    group.subgroups.clear();
    group.blocks.clear();
    if (kind == PickerChildKind::Subgroups)
        group.subgroups.assign(n, PickerGroup{});
    else
        group.blocks.assign(n, PickerBlock{});
}

PickerGroup makePickerRoot() {
    PickerGroup root;
    makeChildren(root, PickerChildKind::Subgroups, 8);

    PickerGroup& first = root.subgroups[0];
    makeChildren(first, PickerChildKind::Blocks, 3);
    first.blocks[0].catalogIndex = 98;
    first.blocks[1].catalogIndex = 80;
    first.blocks[2].catalogIndex = 307;

    PickerGroup& sixth = root.subgroups[5];
    makeChildren(sixth, PickerChildKind::Subgroups, 9);
    for (PickerGroup& subgroup : sixth.subgroups)
        makeChildren(subgroup, PickerChildKind::Blocks, 9);
    sixth.subgroups[1].blocks[0].catalogIndex = 9;
    return root;
}
