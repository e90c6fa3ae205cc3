#pragma once

#include <QString>

#include <memory>

class ObjectContext;

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
    // A store file that cannot be opened is set aside and replaced by an empty one; when even
    // that fails the process ends with "CoreData load error: ".
    explicit PersistenceController(bool inMemory);
    ~PersistenceController();
    PersistenceController(const PersistenceController&) = delete;
    PersistenceController& operator=(const PersistenceController&) = delete;

    ObjectContext* viewContext() const { return context_.get(); }

    // Saves the main context when it has changes. Returns false only when the save failed;
    // the failure is printed and the changes stay pending.
    bool save();
    // Wipes goals with their milestones, steps and journal entries and every money record
    // except bills and bank accounts, then resets the main context.
    void deleteAllData();

    // True when this open created the store file (first start, or a replaced store).
    bool createdNewStore() const { return createdNewStore_; }
    static QString defaultStorePath();

private:
    std::unique_ptr<ObjectContext> context_;
    bool createdNewStore_ = false;
};
