// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stand-ins for the window as the commands see it: the list of documents and the pointer.

#include "DocumentList.h"
#include "MousePointer.h"

#include <QStringList>

class FakeDocumentList : public DocumentList {
public:
    QStringList paths;
    int count() const override { return int(paths.size()); }
    QString entry(int position) const override { return paths.value(position - 1); }
    void AddDocumentPath(const QString &path) override { paths << path; }
};

class FakePointer : public WindowPointer {
public:
    int state = DefaultPointer;
    int MousePointer() const override { return state; }
    void setMousePointer(int value) override { state = value; }
};
