// SPDX-License-Identifier: GPL-2.0-or-later
#include "about/frmAbout.h"

#include "about/about_icons.h"
#include "main_window/Texts.h"
#include "main_window/window_icon.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/Form.h"
#include "platform/controls/Label.h"
#include "platform/controls/Line.h"
#include "platform/controls/PictureBox.h"
#include "platform/system/Twips.h"
#include "version.h"

using namespace platform;

namespace {

PictureBox *makeIcon(QWidget *client, const QIcon &icon, float left, float top)
{
    auto *box = new PictureBox(client);
    box->setBorder(false);
    box->setAutoSize(true);
    box->move(left, top, 540, 540);
    box->setPicture(std::make_shared<const Picture>(
        Picture::Kind::Icon, icon.pixmap(32, 32).toImage(), QByteArray()));
    box->widget()->setFocusPolicy(Qt::NoFocus);
    return box;
}

Label *makeLabel(QWidget *client, float left, float top, float width, float height)
{
    auto *label = new Label(client);
    label->move(left, top, width, height);
    // Labels taller than a line wrap their text.
    label->setWordWrap(height > 300);
    return label;
}

} // namespace

frmAbout::frmAbout(Dialogs &dialogs, Registry &registry, Launcher &launcher)
    : GuardedWindow(dialogs, texts::Title), dialogs_(dialogs), registry_(registry), launcher_(launcher)
{
    form = std::make_unique<Form>(nullptr, Qt::Dialog | Qt::CustomizeWindowHint
                                               | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    createControls();
    form->setFixedClientSize(4935, 4560);
    // Its stored place: the client area's corner 2340 by 1935 twips into
    // the screen.
    form->move(toPixels(2340), toPixels(1935));

    on(cmdOK, &CommandButton::click, &frmAbout::cmdOK_Click);
    on(cmdSysInfo, &CommandButton::click, &frmAbout::cmdSysInfo_Click);
}

frmAbout::~frmAbout() = default;

void frmAbout::createControls()
{
    QWidget *client = form->client();
    picIcon = {makeIcon(client, windowIcon(), 120, 360), makeIcon(client, strokesIcon(), 720, 360),
               makeIcon(client, eyeIcon(), 120, 960), makeIcon(client, balloonsIcon(), 720, 960)};

    lblTitle = makeLabel(client, 1560, 240, 2805, 240);
    lblVersion = makeLabel(client, 1560, 720, 2805, 225);
    lblDescription = makeLabel(client, 1560, 1125, 2805, 1050);
    lblAuthor = makeLabel(client, 1560, 2520, 2805, 255);

    // An etched separator: a grey line over a white one, both running past
    // the right edge.
    Line1[1] = new Line(client);
    Line1[1]->setColor(QColor(0x80, 0x80, 0x80));
    Line1[1]->setPixelWidth(1);
    Line1[1]->setPoints(120, 2805, 5684, 2805);
    Line1[0] = new Line(client);
    Line1[0]->setColor(Qt::white);
    Line1[0]->setPixelWidth(2);
    Line1[0]->setPoints(105, 2820, 5654, 2820);
    Line1[1]->widget()->raise();

    lblDisclaimer = makeLabel(client, 255, 2985, 3270, 1185);

    cmdOK = new CommandButton(client);
    cmdOK->setCaption(QStringLiteral("OK"));
    cmdOK->move(3600, 3120, 1260, 345);
    cmdSysInfo = new CommandButton(client);
    cmdSysInfo->setCaption(QStringLiteral("О &Системе..."));
    cmdSysInfo->move(3600, 3600, 1245, 345);
    form->setDefaultButton(cmdOK);
    form->setCancelButton(cmdOK);
    cmdOK->setDefault(true);

    QWidget::setTabOrder(cmdOK->widget(), cmdSysInfo->widget());
}

void frmAbout::showModal()
{
    Form_Load();
    cmdOK->widget()->setFocus();
    form->showModal();
}

void frmAbout::Form_Load()
{
    form->setCaption(QStringLiteral("О программе Lumarin"));
    lblVersion->setCaption(QStringLiteral("Версия %1.%2.%3")
                               .arg(LUMARIN_VERSION_MAJOR)
                               .arg(LUMARIN_VERSION_MINOR)
                               .arg(LUMARIN_VERSION_PATCH));
    lblTitle->setCaption(QStringLiteral("Lumarin (Люмарин)"));
    lblDescription->setCaption(QStringLiteral(
        "Эта программа позволяет просматривать наиболее распространенные графические фалйы"));
    lblAuthor->setCaption(QStringLiteral("Автор: команда Lumarin"));
    lblDisclaimer->setCaption(QStringLiteral(
        "Внимание: программа предоставляется «как есть», без каких-либо гарантий. "
        "Удалённый ею файл не попадает в корзину и не может быть восстановлен."));
}

void frmAbout::cmdOK_Click()
{
    form->close();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}
