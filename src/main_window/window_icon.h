#pragma once

#include <QIcon>
#include <QImage>

// The program's own 32 × 32, 16-colour icon: a framed landscape with a sun.
QImage windowIconImage();
QIcon windowIcon();
