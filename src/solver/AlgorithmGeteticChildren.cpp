// What happens to the children of a crossover: the check, the length, the
// mutation and the replacement of the worst chromosome.
//
// A generation makes many children and keeps few, so the work per child is
// kept to what decides its fate. The length is summed to the last bit only
// when a quicker measure cannot rule out that the child beats the worst
// chromosome, and a child that copies one of its parents - most children,
// once a population has converged - takes that parent's length and check.
// Every decision, and so every draw, is the plain step's.

#include "solver/AlgorithmGetetic.h"

#include "solver/AlgorithmGeteticImpl.h"

#include <algorithm>

namespace solver {

void TTSPPopulation::CheckChild(const TIntegerArray& genes, TChildCheck& check) const {
    check.copyOf = -1;
    check.exact = false;
    check.measured = false;
    check.indexEpoch = impl_->index.Epoch();
    check.valid = impl_->index.IsValidChild(genes);
    if (check.valid)
        check.measured = ApproximateLength(map_, genes, check.length);
}

bool TTSPPopulation::ParentValid(int32_t i) {
    uint32_t& checked = impl_->checkedEpoch[static_cast<size_t>(i)];
    if (checked == impl_->index.Epoch())
        return true;
    if (!impl_->index.IsValidChild(chromosomes_[static_cast<size_t>(i)]->Genes))
        return false;
    checked = impl_->index.Epoch();
    return true;
}

void TTSPPopulation::CheckCrossoverChild(const TIntegerArray& genes, int32_t p1, int32_t p2,
                                         bool stepsValid, TChildCheck& check) {
    // A copy of a parent has that parent's length to the last bit: the same
    // genes are summed in the same order. It is taken only where the sum
    // cannot raise: every gene a node that the distance table covers, which
    // a valid route's genes are while node IDs are positions.
    const bool covered = map_.IdsArePositions() && map_.Count() <= map_.MatrixSize();
    for (int32_t parent : {p1, p2}) {
        const TIntegerArray& genesOfParent = chromosomes_[static_cast<size_t>(parent)]->Genes;
        if (!covered || genesOfParent.Count() != genes.Count() ||
            !std::equal(genes.begin(), genes.end(), genesOfParent.begin()))
            continue;
        check.copyOf = -1;
        check.measured = false;
        check.indexEpoch = impl_->index.Epoch();
        check.valid = ParentValid(parent);
        check.exact = check.valid;
        check.length = Fitness(parent);
        return;
    }
    if (!stepsValid) {
        CheckChild(genes, check);
        return;
    }
    check.copyOf = -1;
    check.exact = false;
    check.measured = false;
    check.indexEpoch = impl_->index.Epoch();
    check.valid = impl_->index.ContainsAllSelected(genes);
    if (check.valid)
        check.measured = ApproximateLength(map_, genes, check.length);
}

void TTSPPopulation::CopyCheck(int32_t parent, TChildCheck& check) {
    check.copyOf = parent;
    check.measured = false;
    check.indexEpoch = impl_->index.Epoch();
    check.valid = ParentValid(parent);
    check.exact = check.valid;
    check.length = Fitness(parent);
}

void TTSPPopulation::ConsiderChild(TTSPChromosome& child, const TChildCheck& crossoverCheck) {
    const TChildCheck* check = &crossoverCheck;
    // Without a measure the length is summed first, as in the plain step:
    // the sum raises for a gene the distance table does not cover.
    if (check->exact)
        child.Fitness = check->length;
    else if (!check->measured)
        child.Fitness = RouteLength(map_, child.Genes);
    // An unbuilt copy reads its parent's genes.
    const TIntegerArray& genes =
        check->copyOf >= 0 ? chromosomes_[static_cast<size_t>(check->copyOf)]->Genes : child.Genes;
    if (random_->RndReal() < mutationRate_ && MutateChild(child, genes)) {
        check = &impl_->mutationCheck;
        if (!check->measured)
            child.Fitness = RouteLength(map_, child.Genes);
    }
    const double worst = Fitness(worstIndex_);
    if (!check->exact && check->measured) {
        if (CertainlyNotShorter(check->length, child.Count(), worst))
            return;
        child.Fitness = RouteLength(map_, child.Genes);
    }
    if (!(child.Fitness < worst))
        return;
    const int32_t at = worstIndex_;
    if (check->copyOf >= 0)
        child.Genes = chromosomes_[static_cast<size_t>(check->copyOf)]->Genes;
    // Child 2, still to come, may copy the chromosome about to be replaced.
    if (&child == &impl_->child1 && impl_->check2.copyOf == at) {
        impl_->child2.Genes = chromosomes_[static_cast<size_t>(at)]->Genes;
        impl_->check2.copyOf = -1;
    }
    ReplaceChromosome(at, child);
    // The new chromosome's genes were found valid under this index.
    if (static_cast<size_t>(at) < impl_->checkedEpoch.size())
        impl_->checkedEpoch[static_cast<size_t>(at)] = check->indexEpoch;
}

} // namespace solver
