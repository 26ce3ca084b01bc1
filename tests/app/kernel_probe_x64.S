# Bits: 1 rbx, 2 rsi, 4 rdi, 8 rbp, 16 rsp, 32 r12 to r15 changed by
# RunBurnKernel.
    .intel_syntax noprefix
    .lcomm savedStack, 8
    .text
    .globl CallKernelCheckingRegisters
CallKernelCheckingRegisters:
    push rbx
    push rsi
    push rdi
    push rbp
    push r12
    push r13
    push r14
    push r15
    sub rsp, 40                 # shadow space, stack kept 16-byte aligned
    movabs rbx, 0x1111111111111111
    movabs rsi, 0x2222222222222222
    movabs rdi, 0x3333333333333333
    movabs rbp, 0x4444444444444444
    movabs r12, 0x5555555555555555
    mov r13, r12
    mov r14, r12
    mov r15, r12
    mov [rip + savedStack], rsp
    call RunBurnKernel
    xor eax, eax
    lea ecx, [rax + 16]
    cmp [rip + savedStack], rsp
    cmovne eax, ecx
    movabs rdx, 0x1111111111111111
    lea ecx, [rax + 1]
    cmp rbx, rdx
    cmovne eax, ecx
    movabs rdx, 0x2222222222222222
    lea ecx, [rax + 2]
    cmp rsi, rdx
    cmovne eax, ecx
    movabs rdx, 0x3333333333333333
    lea ecx, [rax + 4]
    cmp rdi, rdx
    cmovne eax, ecx
    movabs rdx, 0x4444444444444444
    lea ecx, [rax + 8]
    cmp rbp, rdx
    cmovne eax, ecx
    mov rdx, r12
    and rdx, r13
    and rdx, r14
    and rdx, r15
    movabs r8, 0x5555555555555555
    lea ecx, [rax + 32]
    cmp rdx, r8
    cmovne eax, ecx
    add rsp, 40
    pop r15
    pop r14
    pop r13
    pop r12
    pop rbp
    pop rdi
    pop rsi
    pop rbx
    ret
