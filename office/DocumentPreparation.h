// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What is done to a loaded document just before its export, where the export cannot be told
// what the document shows: highlighting becomes the background colour, which the export writes;
// tracked insertions and deletions, and the items of lists, are marked by bookmarks, whose
// anchors in the page tell its mending where changes begin and end and how each item is
// labelled, where a browser would label them otherwise. A document with none of these costs the
// office a few calls; one with such lists or highlighting one more, in which the office reads
// every paragraph of its body and its tables, one more for all its marks and one more for all
// its recolouring, whatever its length.

#include "PageMarks.h"
#include "PreparationScript.h"

#include <com/sun/star/lang/XComponent.hpp>

// Prepares document, loaded in an office of ours that runs script; returns the marks placed. What
// the office refuses is left undone, so that the page shows it as the export writes it; a lost
// office throws as the call that found it did.
PageMarks PrepareForExport(const css::uno::Reference<css::lang::XComponent> &document, PreparationScript &script);
