// SPDX-License-Identifier: MIT
#include "window/controlerror.h"

namespace pemtos::window {

std::u16string_view interfaceName(ControlInterface controlInterface)
{
    switch (controlInterface) {
    case ControlInterface::Label:
        return u"Label";
    case ControlInterface::ListBox:
        return u"ListBox";
    case ControlInterface::OptionButton:
        return u"OptionButton";
    }
    return u"?";
}

std::u16string_view operationName(Operation operation)
{
    switch (operation) {
    case Operation::CaptionSet:
        return u"Caption の設定";
    case Operation::Clear:
        return u"Clear（全項目の削除）";
    case Operation::AddItem:
        return u"AddItem（項目の追加）";
    case Operation::ListIndexGet:
        return u"ListIndex の取得";
    case Operation::ListGet:
        return u"List の取得";
    case Operation::ValueGet:
        return u"Value の取得";
    }
    return u"?";
}

std::u16string_view errorReportTitle()
{
    return u"pemtos - 実行時エラー";
}

std::u16string errorReportText(const ControlError &error)
{
    std::u16string text = u"実行時エラーが発生しました。\n\nコントロール: ";
    text += error.control;
    text += u" (";
    text += interfaceName(interfaceOf(error.operation));
    text += u")\n操作: ";
    text += operationName(error.operation);
    text += u"\n\nこの操作を中止しました。画面の内容はそのまま使えます。";
    return text;
}

} // namespace pemtos::window
