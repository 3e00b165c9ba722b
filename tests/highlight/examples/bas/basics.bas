' A Visual Basic module
Attribute VB_Name = "Module1"
Option Explicit
Rem a remark line
Public Function Area(ByVal w As Double, h As Double) As Double
    Dim d As Date: d = #1/1/2000#
    If w <= 0 Or h <> 1 Then Area = 1.5E3 Else Area = w * h
    With Form1
        .Caption = "Size ""quoted"""
    End With
    remark = 12: REM trailing
End Function
