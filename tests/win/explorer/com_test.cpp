// What every one of the three servers owes a COM client: class lookup,
// interfaces, reference counts, aggregation refused, and unloading only
// when nothing is alive.
#include <gtest/gtest.h>

#include "tests/win/explorer/ExplorerTestSupport.h"

namespace {

struct ServerCase {
    std::string path;
    CLSID clsid;
    std::vector<const IID*> answered;
    std::vector<const IID*> refused;
    bool countsServerLocks;
};

std::vector<ServerCase> Cases() {
    const CLSID kestiv = {0x29F97553, 0xFBD6, 0x11D1, {0xAF, 0xC1, 0x00, 0xA0, 0x24, 0xD1, 0x87, 0x5C}};
    const CLSID tavlin = {0x7090FC40, 0x6315, 0x11D4, {0xB1, 0x9B, 0x00, 0x40, 0x05, 0x2E, 0xF5, 0xD0}};
    const CLSID norquil = {0x18D67740, 0x19C0, 0x11D3, {0x9F, 0x2F, 0x00, 0x40, 0x05, 0x2E, 0xCF, 0x0B}};
    return {
        {DistFile("Kestiv.dll"), kestiv, {&IID_ICopyHookA}, {&IID_ICopyHookW, &IID_IContextMenu, &IID_IQueryInfo}, true},
        {DistFile("Tavlin.dll"), tavlin, {&IID_IQueryInfo, &IID_IPersistFile, &IID_IPersist},
         {&IID_ICopyHookA, &IID_IShellExtInit, &IID_IDataObject}, true},
        {MenuFolderFile("Norquil.dll"), norquil, {&IID_IContextMenu, &IID_IShellExtInit},
         {&IID_IContextMenu2, &IID_IQueryInfo, &IID_ICopyHookA}, false},
    };
}

TEST(ComServers, AnswerOnlyForTheirOwnClass) {
    const CLSID other = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    for (const ServerCase& c : Cases()) {
        SCOPED_TRACE(c.path);
        Library library(c.path);
        void* out = reinterpret_cast<void*>(1);
        EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, library.GetClassObject(other, IID_IClassFactory, &out));
        EXPECT_EQ(nullptr, out);
        out = reinterpret_cast<void*>(1);
        EXPECT_EQ(E_NOINTERFACE, library.GetClassObject(c.clsid, IID_IDataObject, &out));
        EXPECT_EQ(nullptr, out);
        EXPECT_EQ(S_OK, library.CanUnloadNow());
    }
}

TEST(ComServers, ObjectsAnswerTheirInterfaces) {
    for (const ServerCase& c : Cases()) {
        SCOPED_TRACE(c.path);
        Library library(c.path);
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(S_OK, library.GetClassObject(c.clsid, IID_IClassFactory, factory.ReceiveVoid()));
        ComPtr<IUnknown> unknown;
        ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IUnknown, unknown.ReceiveVoid()));
        for (const IID* iid : c.answered) {
            ComPtr<IUnknown> part;
            ASSERT_EQ(S_OK, unknown->QueryInterface(*iid, part.ReceiveVoid())) << GuidText(*iid);
            // Every interface leads back to the same identity.
            ComPtr<IUnknown> identity;
            ASSERT_EQ(S_OK, part->QueryInterface(IID_IUnknown, identity.ReceiveVoid()));
            EXPECT_EQ(unknown.Get(), identity.Get());
        }
        for (const IID* iid : c.refused) {
            void* out = reinterpret_cast<void*>(1);
            EXPECT_EQ(E_NOINTERFACE, unknown->QueryInterface(*iid, &out)) << GuidText(*iid);
            EXPECT_EQ(nullptr, out);
        }
        // Aggregation is refused, and so is an interface the class lacks.
        ComPtr<IUnknown> aggregated;
        EXPECT_EQ(CLASS_E_NOAGGREGATION,
                  factory->CreateInstance(unknown.Get(), IID_IUnknown, aggregated.ReceiveVoid()));
        EXPECT_EQ(nullptr, aggregated.Get());
        ComPtr<IUnknown> refused;
        EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, *c.refused[0], refused.ReceiveVoid()));
        // The counts: one reference from here, back to zero on release.
        unknown->AddRef();
        EXPECT_EQ(1u, unknown->Release());
    }
}

TEST(ComServers, StayLoadedWhileAnythingIsAlive) {
    for (const ServerCase& c : Cases()) {
        SCOPED_TRACE(c.path);
        Library library(c.path);
        EXPECT_EQ(S_OK, library.CanUnloadNow());
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(S_OK, library.GetClassObject(c.clsid, IID_IClassFactory, factory.ReceiveVoid()));
        EXPECT_EQ(S_FALSE, library.CanUnloadNow());
        ComPtr<IUnknown> object;
        ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, *c.answered[0], object.ReceiveVoid()));
        factory.Reset();
        EXPECT_EQ(S_FALSE, library.CanUnloadNow());
        object.Reset();
        EXPECT_EQ(S_OK, library.CanUnloadNow());
        if (c.countsServerLocks) {
            ASSERT_EQ(S_OK, library.GetClassObject(c.clsid, IID_IClassFactory, factory.ReceiveVoid()));
            EXPECT_EQ(S_OK, factory->LockServer(TRUE));
            factory.Reset();
            EXPECT_EQ(S_FALSE, library.CanUnloadNow());
            ASSERT_EQ(S_OK, library.GetClassObject(c.clsid, IID_IClassFactory, factory.ReceiveVoid()));
            EXPECT_EQ(S_OK, factory->LockServer(FALSE));
            factory.Reset();
            EXPECT_EQ(S_OK, library.CanUnloadNow());
        }
    }
}

}  // namespace
