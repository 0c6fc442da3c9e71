#pragma once

// A template in a temporary folder with one element of each kind, for canvas tests.

#include "document/LabelTemplate.h"
#include "document/TemplateSchema.h"
#include "support/TempDir.h"
#include "tablestore/StoreTable.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

namespace etikor::test {

struct FixtureElement {
    const char* Name;
    TPixelRect Px;
    std::string Forras;
    std::string FErtek;
    int VkIndex = 0;
    std::string Tajolas{};
    int Forgat = 0;
};

inline void AppendFixtureRow(TStoreTable& t, const FixtureElement& e) {
    AppendElementRow(t, *KindFromName(e.Name), e.Name, e.Px,
                     e.VkIndex == stCircle    ? stCircle
                     : e.VkIndex == stEllipse ? stEllipse
                                              : stRectangle);
    t.Edit();
    t.FieldByName("Forras").SetAsString(e.Forras);
    t.FieldByName("FErtek").SetAsString(e.FErtek);
    t.FieldByName("Vk_index").SetAsInteger(e.VkIndex);
    t.FieldByName("Tajolas").SetAsString(e.Tajolas);
    t.FieldByName("Forgat").SetAsInteger(e.Forgat);
    t.Post();
}

// Szoveg_1 right-aligned, Vkod_1 with no value, Kep_1 naming a real picture without a
// source, Rajz_1 a circle of 60 x 60 stored pixels; the page setup of the default label.
inline void WriteFixtureTemplate(const std::string& path, const std::string& picturePath) {
    TStoreTable t;
    t.FieldDefs = ElemekFieldDefs();
    t.Open();
    AppendPageSetupRow(t, TPageSetup{});
    AppendFixtureRow(t, {"Szoveg_1", {10, 10, 40, 12}, "", "Jobbra", 0, "J"});
    AppendFixtureRow(t, {"Vkod_1", {10, 40, 150, 50}, "", "", 5, ""});
    AppendFixtureRow(t, {"Kep_1", {170, 10, 40, 30}, "", picturePath, 0, ""});
    AppendFixtureRow(t, {"Rajz_1", {170, 60, 60, 60}, "", "", stCircle, ""});
    t.SaveTable(path);
}

// An element as the template file at `path` now holds it.
inline TLabelElement StoredElement(const std::string& path, const char* name) {
    TStoreTable t;
    t.SetTableName(path);
    t.Open();
    TLabelTemplate stored(t);
    stored.Load();
    const TLabelElement* element = stored.Find(QString::fromLatin1(name));
    EXPECT_NE(element, nullptr) << name;
    return element ? *element : TLabelElement{};
}

inline void WriteBmp(const std::string& path, int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.save(QString::fromStdString(path), "BMP");
}

} // namespace etikor::test
