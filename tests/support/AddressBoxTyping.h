#pragma once

#include "controls/XPStyleImageTextBox.h"

#include <QLineEdit>
#include <QString>
#include <QTest>
#include <gtest/gtest.h>

// Types a text into a window's address box, over what it held, and commits it with Enter, as the
// user does.
inline void CommitInAddressBox(XPStyleImageTextBox *box, const QString &text)
{
    auto *field = box->findChild<QLineEdit *>();
    ASSERT_NE(field, nullptr);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}
