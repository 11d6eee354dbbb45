// SPDX-FileCopyrightText: 2026 The Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An office's first document of each kind costs more than the next ones: the office reads in the
// code that imports that kind and the code that writes the page. An office prepared ahead of a
// run, which waits for the run anyway, goes through that with documents of its own making, so
// that the run's first documents cost no more than the others; it also gets the script that
// prepares documents inside it, and runs it once.

class OfficeProcess;

// Makes a blank document in the connected office, finds its paragraphs, saves it as a Word
// 97-2003, a Word 2007 and an RTF document in its work folder, converts each to a page there, and
// removes them all. What the office refuses is left for the run's first documents to pay; throws
// AutomationError only when the office is lost meanwhile.
void WarmUp(OfficeProcess &office);
