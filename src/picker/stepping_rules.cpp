// SPDX-License-Identifier: GPL-2.0-or-later
#include "picker/stepping_rules.h"

int nextIndex(int selected, int count)
{
    return selected < count - 1 ? selected + 1 : 0;
}

int previousIndex(int selected, int count)
{
    return selected > 0 ? selected - 1 : count - 1;
}
