' SPDX-FileCopyrightText: 2026 The Quorvane developers
' SPDX-License-Identifier: GPL-3.0-or-later
'
' Runs inside the office, where reading a paragraph costs microseconds rather than the two trips
' across the bridge that it costs from outside. Only what the program gives it is used: the
' document being prepared and the properties to read.
Option Explicit

Private found() As Variant
Private foundCount As Long

' Reads the properties named of each paragraph of the document's body and of its tables' cells,
' and returns those of the paragraphs that are numbered (the value at numberedAt is True) or
' highlighted (the value at highlightAt is not -1: a colour, or nothing where its parts differ),
' one after another: the paragraph's text, a cursor over the paragraph, then its values in the
' order named. The cursor stands at the paragraph's start, or selects it all when its
' highlighting is read. An index of -1 reads no such value. Returns nothing (Empty) when the
' office refuses any of it.
Function Paragraphs(document As Object, names As Variant, numberedAt As Long, highlightAt As Long) As Variant
    Dim tables As Object, cells As Variant, table As Long, cell As Long
    On Error GoTo Refused
    ReDim found(0 To 255)
    foundCount = 0
    Walk(document.getText(), names, numberedAt, highlightAt)
    tables = document.getTextTables()
    For table = 0 To tables.getCount() - 1
        cells = tables.getByIndex(table).getCellNames()
        For cell = LBound(cells) To UBound(cells)
            Walk(tables.getByIndex(table).getCellByName(cells(cell)), names, numberedAt, highlightAt)
        Next cell
    Next table
    If foundCount = 0 Then
        Paragraphs = Array()
    Else
        ReDim Preserve found(0 To foundCount - 1)
        Paragraphs = found
    End If
    Exit Function
Refused:
    Paragraphs = Empty
End Function

Private Sub Walk(text As Object, names As Variant, numberedAt As Long, highlightAt As Long)
    Dim walker As Object, values As Variant, highlight As Variant, wanted As Boolean, value As Long, cursor As Object
    walker = text.createTextCursor()
    Do
        If highlightAt >= 0 Then walker.gotoEndOfParagraph(True)
        values = walker.getPropertyValues(names)
        wanted = False
        If numberedAt >= 0 Then
            If TypeName(values(numberedAt)) = "Boolean" Then wanted = values(numberedAt)
        End If
        If highlightAt >= 0 Then
            highlight = values(highlightAt)
            If IsEmpty(highlight) Or IsNull(highlight) Then
                wanted = True
            ElseIf highlight <> -1 Then
                wanted = True
            End If
        End If
        If wanted Then
            If foundCount + 2 + UBound(values) > UBound(found) Then
                ReDim Preserve found(0 To 2 * (UBound(found) + UBound(values) + 2))
            End If
            ' A cursor of its own, at the paragraph's start, selecting it to its end where its
            ' highlighting is read.
            cursor = text.createTextCursorByRange(walker.getStart())
            If highlightAt >= 0 Then cursor.gotoEndOfParagraph(True)
            found(foundCount) = text
            found(foundCount + 1) = cursor
            For value = 0 To UBound(values)
                found(foundCount + 2 + value) = values(value)
            Next value
            foundCount = foundCount + 3 + UBound(values)
        End If
        If highlightAt >= 0 Then walker.collapseToStart()
    Loop While walker.gotoNextParagraph(False)
End Sub
