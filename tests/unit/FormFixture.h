#pragma once
// A main window on the headless control layer with fake platform services.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../fakes/FakeServices.h"
#include "ui/MainUnit.h"

namespace kv::test {

class FormFixture : public ::testing::Test, protected FakeDataFolderServices {
protected:
    FakeFormHost host;
    std::unique_ptr<ui::TKavintamainform> form;

    ui::TKavintamainform& create() {
        form = std::make_unique<ui::TKavintamainform>(services());
        form->attachHost(&host);
        form->FormCreate();
        return *form;
    }
    // Creation and the start timer's first tick, which shows the first category.
    ui::TKavintamainform& start() {
        create();
        form->starttimer.tick();
        return *form;
    }
    void store(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
        profile.set(ini, section, key, value);
    }
    std::wstring stored(const std::wstring& section, const std::wstring& key) const {
        return profile.get(ini, section, key);
    }
    std::wstring text(kv::TextId id) const { return texts.text(id); }
};

}  // namespace kv::test
