// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Where a step through the file list lands, wrapping around at both ends.
// `selected` is -1 when nothing is selected; `count` is at least 1.
int nextIndex(int selected, int count);
int previousIndex(int selected, int count);
