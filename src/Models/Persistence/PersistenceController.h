#pragma once

#include "Store/StoreSalvage.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class ObjectContext;
class QObject;
class StoreIntegrityCheck;

// Owns the one object store of the application and its main context, through which every
// screen reads and writes.
class PersistenceController {
public:
    // The process-wide instance, opened on first use on the file store in the data folder.
    static PersistenceController& shared();
    // Tests point the shared instance at a store of their own, or drop it.
    static void setShared(std::unique_ptr<PersistenceController> controller);
    static void resetShared();

    // Opens the store synchronously; an in-memory store keeps nothing past the process.
    // A damaged store file is set aside and replaced by an empty one. When no store can be
    // opened (or the file is a newer build's) isLoaded() is false and loadError() holds the one
    // line to end the process with, such as "CoreData load error: ..."; nothing here ends it.
    explicit PersistenceController(bool inMemory);
    ~PersistenceController();
    PersistenceController(const PersistenceController&) = delete;
    PersistenceController& operator=(const PersistenceController&) = delete;

    bool isLoaded() const { return context_ != nullptr; }
    const QString& loadError() const { return loadError_; }
    ObjectContext* viewContext() const { return context_.get(); }

    // Saves the main context when it has changes. Returns false only when the save failed;
    // the failure is printed and the changes are rolled back.
    bool save();
    // Wipes goals with their milestones, steps and journal entries and every money record
    // except bills and bank accounts, in one transaction, then resets the main context.
    // False when the store refused (then nothing was deleted).
    bool deleteAllData();

    // What the window is told about the store: a title and a message for one alert.
    using Notice = std::function<void(const QString& title, const QString& message)>;
    // Starts checking the store file on a worker thread, so that nobody waits for it; the first
    // save waits for its answer. A store the start checked already (finishing a stopped salvage)
    // is not read through again. A damaged file is moved aside and salvaged into a new store that
    // the main context then uses; damage met while running stops every write to the file and
    // leaves a marker for the next start. tell() hears of each, on the main thread, and first of
    // a store salvaged while opening, or of what a start set aside of a stopped salvage.
    void watchStore(Notice tell);
    // Damage was met and not yet salvaged (no room for the salvage, a new store that could not
    // be opened, damage met while running): the store takes no more changes until a start
    // salvages it. tell() hears of every change of this, after it changed.
    bool waitsForSalvage() const;
    // It waits because its salvage found no room on the disk: room is what lets it run.
    bool waitsForRoom() const { return waitsForSalvage() && waitsForRoom_; }
    // Moves the damaged store aside and salvages it into a new one in its place now.
    void recoverDamagedStore(const QString& reason);

    // The alert's message after a salvage: how many records came back, each kind of record that
    // lost some with how many were saved of how many there were, and where the original is.
    static QString recoveredMessage(const StoreSalvage::Report& report);

    // True when this open created the store file (first start, or a replaced store).
    bool createdNewStore() const { return createdNewStore_; }
    static QString defaultStorePath();

private:
    std::unique_ptr<ObjectContext> context_;
    void listenForDamage();
    void checkAnswered(bool sound, const QString& problem);
    void notify(const QString& title, const QString& message);

    bool createdNewStore_ = false;
    QString loadError_;
    std::optional<StoreSalvage::Report> salvagedAtOpen_; // what was recovered while opening
    QString setAsideAtOpen_; // what a start set aside of a stopped salvage while keeping the store
    bool waitsForRoom_ = false;
    bool checkedAtOpen_ = false; // the start's salvage checked the store it opened: sound
    Notice tell_;
    std::unique_ptr<QObject> mainThread_; // receives the check's answer on the main thread
    std::unique_ptr<StoreIntegrityCheck> check_;
};
