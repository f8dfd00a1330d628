// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace platform {

// A control placed in twips. It keeps left, top, width and height as the
// program set them and maps them to pixels for Qt, so reading a property
// back gives exactly the value that was set.
class Control : public QObject
{
    Q_OBJECT

public:
    ~Control() override;

    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }

    void setLeft(float twips);
    void setTop(float twips);
    // A negative width or height is refused with "invalid property value".
    void setWidth(float twips);
    void setHeight(float twips);
    void move(float left, float top, float width, float height);

    bool isVisible() const;
    void setVisible(bool visible);
    void setToolTip(const QString &text);

    QWidget *widget() const { return widget_; }

protected:
    // Takes a widget already parented to its container; Qt owns it.
    explicit Control(QWidget *widget);

    void applyGeometry();

private:
    QPointer<QWidget> widget_;
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    bool visible_ = true;
};

} // namespace platform
