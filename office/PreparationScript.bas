' SPDX-FileCopyrightText: 2026 The Quorvane developers
' SPDX-License-Identifier: GPL-3.0-or-later
'
' Runs inside the office, where reading a paragraph, placing a field or recolouring text costs
' microseconds rather than the trips across the bridge that it costs from outside. Only what the
' program gives it is used: the document being prepared, the properties to read, the fields to
' place, the paragraphs to recolour.
Option Explicit

Private found() As Variant
Private foundCount As Long

' Reads the properties named of each paragraph of the document's body and of its tables' cells,
' and returns those of the paragraphs that are numbered (the value at numberedAt is True) or
' highlighted (the value at highlightAt is not -1: a colour, or nothing where its parts differ),
' one after another: a cursor at the paragraph's start, then its values in the order named. An
' index of -1 reads no such value. Returns nothing (Empty) when the office refuses any of it.
Function Paragraphs(document As Object, names As Variant, numberedAt As Long, highlightAt As Long) As Variant
    Dim tables As Object, table As Object, cells As Variant, index As Long, cell As Long
    On Error GoTo Refused
    ReDim found(0 To 255)
    foundCount = 0
    Walk(document.getText(), names, numberedAt, highlightAt)
    tables = document.getTextTables()
    For index = 0 To tables.getCount() - 1
        table = tables.getByIndex(index)
        cells = table.getCellNames()
        For cell = LBound(cells) To UBound(cells)
            Walk(table.getCellByName(cells(cell)), names, numberedAt, highlightAt)
        Next cell
    Next index
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

' Places a field of master (a text variable) at each of places in turn, its content the one of
' contents at the same index; returns how many were placed, those before the first the office
' refused.
Function PlaceFields(document As Object, master As Object, places As Variant, contents As Variant) As Long
    Dim placed As Long, field As Object
    On Error GoTo Refused
    For placed = 0 To UBound(places)
        field = document.createInstance("com.sun.star.text.textfield.SetExpression")
        field.Content = contents(placed)
        field.attachTextFieldMaster(master)
        places(placed).getText().insertTextContent(places(placed), field, False)
    Next placed
Refused:
    PlaceFields = placed
End Function

' Gives the text of the paragraph at each of cursors its highlight as its background colour, which
' the export writes: a paragraph highlighted throughout at once, one highlighted in parts portion
' by portion. What the office refuses of a paragraph is left as it is.
Sub Recolour(cursors As Variant)
    Dim paragraph As Long
    For paragraph = 0 To UBound(cursors)
        RecolourParagraph(cursors(paragraph))
    Next paragraph
End Sub

Private Sub RecolourParagraph(cursor As Object)
    Dim values As Variant, highlight As Variant, portions As Object, portion As Object
    On Error GoTo Refused
    cursor.gotoEndOfParagraph(True)
    values = cursor.getPropertyValues(Array("CharHighlight"))
    highlight = values(0)
    If IsEmpty(highlight) Or IsNull(highlight) Then
        ' Its parts differ.
        portions = cursor.createEnumeration().nextElement().createEnumeration()
        Do While portions.hasMoreElements()
            portion = portions.nextElement()
            highlight = portion.getPropertyValue("CharHighlight")
            If Not IsEmpty(highlight) Then
                If highlight <> -1 Then portion.setPropertyValue("CharBackColor", highlight)
            End If
        Loop
    ElseIf highlight <> -1 Then
        cursor.setPropertyValues(Array("CharBackColor"), Array(highlight))
    End If
Refused:
End Sub

Private Sub Walk(text As Object, names As Variant, numberedAt As Long, highlightAt As Long)
    Dim walker As Object, values As Variant, highlight As Variant, wanted As Boolean, value As Long
    walker = text.createTextCursor()
    Do
        If highlightAt >= 0 Then walker.gotoEndOfParagraph(True)
        values = walker.getPropertyValues(names)
        ' Back at the paragraph's start, where the cursor of a paragraph found is made.
        If highlightAt >= 0 Then walker.collapseToStart()
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
            If foundCount + 1 + UBound(values) > UBound(found) Then
                ReDim Preserve found(0 To 2 * (UBound(found) + UBound(values) + 2))
            End If
            found(foundCount) = text.createTextCursorByRange(walker)
            For value = 0 To UBound(values)
                found(foundCount + 1 + value) = values(value)
            Next value
            foundCount = foundCount + 2 + UBound(values)
        End If
    Loop While walker.gotoNextParagraph(False)
End Sub
