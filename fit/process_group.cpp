#include "process_group.h"

#include <cstdlib>

#ifdef KINEFIT_WITH_MPI
#define OMPI_SKIP_MPICXX 1  // the C interface only
#define MPICH_SKIP_MPICXX 1
#include <mpi.h>
#endif

namespace kinefit {

bool launched_by_mpi() {
#ifdef KINEFIT_WITH_MPI
    // What Open MPI's and MPICH's launchers (and PMIx) set in every process they start.
    for (const char* name : {"OMPI_COMM_WORLD_SIZE", "PMI_SIZE", "PMIX_RANK"}) {
        if (std::getenv(name) != nullptr) return true;
    }
#endif
    return false;
}

#ifdef KINEFIT_WITH_MPI

struct ProcessGroup::Communicator {
    MPI_Comm comm = MPI_COMM_WORLD;
};

ProcessGroup::ProcessGroup() : comm_(std::make_unique<Communicator>()) {
    if (!launched_by_mpi()) return;
    int provided = 0;
    if (MPI_Init_thread(nullptr, nullptr, MPI_THREAD_FUNNELED, &provided) != MPI_SUCCESS) return;
    joined_ = true;
    // The processes of this program of the job (its place in an mpirun ... : ... line).
    int* appnum = nullptr;
    int found = 0;
    MPI_Comm_get_attr(MPI_COMM_WORLD, MPI_APPNUM, &appnum, &found);
    int worldRank = 0;
    MPI_Comm_rank(MPI_COMM_WORLD, &worldRank);
    MPI_Comm_split(MPI_COMM_WORLD, found && appnum != nullptr ? *appnum : 0, worldRank,
                   &comm_->comm);
    MPI_Comm_rank(comm_->comm, &rank_);
    MPI_Comm_size(comm_->comm, &size_);
}

ProcessGroup::~ProcessGroup() {
    if (!joined_) return;
    MPI_Comm_free(&comm_->comm);
    MPI_Finalize();
}

bool ProcessGroup::all(bool ok) const {
    if (!joined_) return ok;
    int mine = ok ? 1 : 0, every = 0;
    MPI_Allreduce(&mine, &every, 1, MPI_INT, MPI_MIN, comm_->comm);
    return every == 1;
}

std::vector<std::string> ProcessGroup::gather(const std::string& mine) const {
    if (!joined_) return {mine};
    int length = static_cast<int>(mine.size());
    std::vector<int> lengths(size_), offsets(size_);
    MPI_Gather(&length, 1, MPI_INT, lengths.data(), 1, MPI_INT, 0, comm_->comm);
    std::string all;
    if (is_root()) {
        for (int r = 1; r < size_; ++r) offsets[r] = offsets[r - 1] + lengths[r - 1];
        all.resize(offsets[size_ - 1] + lengths[size_ - 1]);
    }
    MPI_Gatherv(mine.data(), length, MPI_CHAR, all.data(), lengths.data(), offsets.data(), MPI_CHAR,
                0, comm_->comm);
    std::vector<std::string> parts;
    for (int r = 0; is_root() && r < size_; ++r)
        parts.push_back(all.substr(offsets[r], lengths[r]));
    return parts;
}

int ProcessGroup::share(int status) const {
    if (joined_) MPI_Bcast(&status, 1, MPI_INT, 0, comm_->comm);
    return status;
}

#else

struct ProcessGroup::Communicator {};
ProcessGroup::ProcessGroup() = default;
ProcessGroup::~ProcessGroup() = default;
bool ProcessGroup::all(bool ok) const {
    return ok;
}
std::vector<std::string> ProcessGroup::gather(const std::string& mine) const {
    return {mine};
}
int ProcessGroup::share(int status) const {
    return status;
}

#endif

}  // namespace kinefit
