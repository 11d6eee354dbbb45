// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtPlatform.h"

#include "ApplicationTitle.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>

Platform QtPlatform::bundle()
{
    return Platform{dialogs_, shell_, random_, screen_, QCoreApplication::applicationDirPath()};
}

void QtDialogs::information(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, text, QMessageBox::Ok, owner);
    box.exec();
}

bool QtDialogs::askYesNo(QWidget *owner, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString QtDialogs::inputBox(QWidget *owner, const QString &prompt, const QString &defaultText)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(owner, ApplicationTitle, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

QString QtDialogs::browseForFolder(QWidget *owner, const QString &title)
{
    return QFileDialog::getExistingDirectory(owner, title);
}

OpenFilesResult QtDialogs::openFiles(QWidget *owner, const OpenFilesRequest &request)
{
    QFileDialog dialog(owner, request.title);
    dialog.setFileMode(request.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setNameFilters(request.nameFilters);
    OpenFilesResult result;
    if (dialog.exec() == QDialog::Accepted)
        result.paths = dialog.selectedFiles();
    return result;
}

bool QtShell::launchDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

void StdRandomSource::seed(float seconds)
{
    generator_.seed(static_cast<std::mt19937::result_type>(seconds));
}

float StdRandomSource::next()
{
    return std::uniform_real_distribution<float>(0.0f, 1.0f)(generator_);
}

QRect QtScreen::primaryGeometry() const
{
    return QGuiApplication::primaryScreen()->geometry();
}
