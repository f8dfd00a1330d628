#pragma once

#include <QString>

namespace platform {

// Orders names as people read them: letter case ignored and runs of digits
// compared as numbers, so "img2" comes before "img10".
class NaturalKey
{
public:
    explicit NaturalKey(const QString &name);
    bool operator<(const NaturalKey &other) const;

private:
    QString folded_;
};

bool naturalLess(const QString &a, const QString &b);

} // namespace platform
