#pragma once

#include <QFuture>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <memory>
#include <optional>

#include "platform/FileIdentity.h"
#include "platform/Picture.h"

namespace display {

// Decodes the picture that the next step will most likely show, in the
// background, while the user looks at the current one. A step takes the
// result only if the file is still the very same one; anything else (a
// replaced or deleted file, another path, a failed decode) is simply not
// used, and the step reads the file as always.
class DecodeAhead
{
public:
    // Pictures whose decoded pixels would need more than this are skipped.
    explicit DecodeAhead(qint64 budgetBytes = qint64(256) << 20);
    ~DecodeAhead();

    // Starts decoding `path`, dropping any earlier request.
    void start(const QString &path);
    // The picture decoded for `path` when the file is unchanged since; waits
    // for a decode still running. Nothing otherwise. Either way the request
    // is used up.
    platform::PicturePtr take(const QString &path);
    // Waits until the decode running now, if any, has finished.
    void wait();

    struct Result
    {
        std::optional<platform::FileIdentity> identity;
        platform::PicturePtr picture;
    };

private:
    // Not Qt's global pool: Qt's painting splits large fills over that one
    // and waits for them, so decodes occupying it would freeze the window.
    // Two threads: a dropped decode may still be finishing beside the next.
    QThreadPool pool_;
    qint64 budget_;
    std::shared_ptr<std::atomic_bool> dropped_ = std::make_shared<std::atomic_bool>(false);
    QString path_;
    QFuture<Result> pending_;
};

} // namespace display
